#pragma once
// The sound and system window "VelmorasystemC Ver 0.8": background music, the
// information and environment pages, and what the main window uses of it —
// the data folder and the two hidden work pictures of the portraits.
#include <QWidget>
#include <cstdint>
#include <string>

#include <array>
#include <memory>

#include "platform/core/Bitmap.h"
#include "platform/core/Timer.h"
#include "system/SystemInformation.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QAction;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace platform {
class TImage;
class TLabel;
} // namespace platform
namespace platform::audio {
class AudioOutput;
class MidiPlayer;
class SoundEffects;
} // namespace platform::audio

class TN_FrmSystem1 : public QWidget {
  Q_OBJECT
public:
  TN_FrmSystem1();
  ~TN_FrmSystem1() override;

  // The data folder with its trailing "/"; empty until start-up sets it.
  std::string dataFolder;
  std::uint8_t bgmMidiPlaying = 0;
  std::uint8_t bgmCdPlaying = 0;

  // Work pictures of the opponent's and the player's portrait; never shown.
  platform::TBitmap N_ImaWork1;
  platform::TBitmap N_ImaWork2;

  // The folder the process was started in, without a trailing "/" (except "/").
  const std::string &DirectoryListBoxDirectory() const { return startDirectory_; }

  QLineEdit *N_EdiBgm1 = nullptr;
  QCheckBox *N_ChePlay1 = nullptr;

  // Starts the looping background music from a MIDI file.
  void StartMidiBgm(const std::string &path);

  platform::audio::MidiPlayer &N_MedPlayer1() { return *midiPlayer_; }
  // The game's sound effects and dropped sound files, on the same output as the music.
  platform::audio::SoundEffects &SoundEffects() { return *soundEffects_; }
  QString StatusText() const;

  // Tab buttons.
  void N_ButTab1Click(); // "終了(&X)": hides the window
  void N_ButTab2Click(); // "情報(&S)"
  void N_ButTab3Click(); // "音源設定(&B)"
  void N_ButTab4Click(); // "環境変数(&O)"
  // Draws the title, the operating-system row and the closing line of the information page.
  void DrawOsInformation();

  // Where the information and environment pages read their values.
  void SetSystemInformationSource(std::unique_ptr<sysinfo::SystemInformationSource> source);

  // Controls of the pages, for the pages' users and tests.
  platform::TImage &InformationPicture() { return *N_ImaInformation2; }
  QWidget &StartPicture();
  platform::TLabel &InformationLabel(int n) { return *N_LabInformation[static_cast<std::size_t>(n - 1)]; }
  QListWidget &EnvironmentList() { return *N_LisSystem1; }
  QPushButton &CdCheckButton() { return *N_ButCDCheck1; }
  QRadioButton &CdRadio() { return *N_RaBBgm1; }
  std::vector<QWidget *> SoundPageControls() const;

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  void FormCreate();
  void BuildControls();
  void BuildPages();
  void ShowPage(bool information, bool sound, bool environment);
  void AppIdle();

  std::string startDirectory_;
  platform::audio::AudioOutput *audioOutput_ = nullptr; // children of this window
  platform::audio::MidiPlayer *midiPlayer_ = nullptr;
  platform::audio::SoundEffects *soundEffects_ = nullptr;

  QLabel *N_StaBgm1 = nullptr;
  QToolButton *N_SpeBgm1 = nullptr, *N_SpeBgm2 = nullptr, *N_SpeBgm3 = nullptr, *N_SpeBgm4 = nullptr,
              *N_SpeBgm5 = nullptr;
  QRadioButton *N_RaBBgm1 = nullptr, *N_RaBBgm2 = nullptr;
  QCheckBox *N_ChePlay2 = nullptr, *N_ChePlay3 = nullptr;
  QComboBox *N_ComBgm1 = nullptr;
  QPushButton *N_ButOpen1 = nullptr, *N_ButCDCheck1 = nullptr;
  QMenu *N_PopupMenu1 = nullptr;
  QAction *N_PopBgm1 = nullptr, *N_PopBgm2 = nullptr, *N_PopBgm3 = nullptr, *N_PopBgm4 = nullptr,
          *N_PopBgm5 = nullptr, *N_PopBgm6 = nullptr, *N_PopBgm7 = nullptr;
  platform::TTimer *idleCheck_ = nullptr;

  QLabel *N_ImaInformation1 = nullptr;           // the start picture
  platform::TImage *N_ImaInformation2 = nullptr; // the information page's drawing surface
  std::array<platform::TLabel *, 6> N_LabInformation{};
  QListWidget *N_LisSystem1 = nullptr;
  QGroupBox *N_RaGBgm1 = nullptr, *N_GroBgm1 = nullptr;
  QPushButton *N_ButTab1 = nullptr, *N_ButTab2 = nullptr, *N_ButTab3 = nullptr, *N_ButTab4 = nullptr;
  QLabel *N_StaHelp1 = nullptr;
  std::unique_ptr<sysinfo::SystemInformationSource> information_;
};
