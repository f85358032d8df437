#pragma once
// The sound and system window "VelmorasystemC Ver 0.8": background music from
// MIDI files or audio CD tracks, the information and environment pages, and
// what the main window uses of it — the data folder and the two hidden work
// pictures of the portraits.
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

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
class CdPlayer;
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
  // The audio CD as the CD timer last read it.
  std::string cdTrackCount;   // decimal number of tracks, from the CD check
  std::string cdCurrentTrack; // decimal number of the track playing
  std::string cdPosition;     // "m:ss" within that track
  std::int32_t cdLastTrack = 0;

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
  platform::audio::CdPlayer &N_MedPlayer2() { return *cdPlayer_; }
  // The game's sound effects and dropped sound files, on the same output as the music.
  platform::audio::SoundEffects &SoundEffects() { return *soundEffects_; }
  QString StatusText() const;

  // The CD drive or disc image the CD source opens; empty means the system's default drive.
  void SetCdDeviceName(const QString &name);
  // Runs the "..." file dialog with a Qt filter and returns the chosen file, or
  // an empty text when the user cancels. A QFileDialog unless replaced (tests).
  using OpenDialogRunner = std::function<QString(QWidget *parent, const QString &filter)>;
  void SetOpenDialogRunner(OpenDialogRunner runner) { N_OpenDialog1 = std::move(runner); }

  // Music handlers, bound to the buttons, radios and pop-up items.
  void N_SpeBgm1Click(); // play
  void N_SpeBgm2Click(); // pause / resume
  void N_SpeBgm3Click(); // stop
  void N_SpeBgm4Click(); // previous CD track
  void N_SpeBgm5Click(); // next CD track
  void N_ButOpen1Click();
  void N_RaBBgm1Click(); // CD source chosen
  void N_RaBBgm2Click(); // MIDI source chosen
  void N_PopBgm1Click();
  void N_PopBgm2Click();
  void N_PopBgm3Click() { N_SpeBgm1Click(); }
  void N_PopBgm4Click() { N_SpeBgm3Click(); }
  void N_PopBgm5Click() { N_SpeBgm2Click(); }
  void N_PopBgm7Click(); // the desktop's sound mixer
  void N_ButCDCheck1Click();
  void N_TimCheck1Timer();
  bool IsCdMediaPresent() const;
  // The repeat and end-of-music check, run when a player reports its end and on a short timer.
  void AppIdle();
  // Files dropped on the window: the first one only is played.
  void WMDropFiles(const QStringList &files);

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
  QRadioButton &MidiRadio() { return *N_RaBBgm2; }
  std::vector<QWidget *> SoundPageControls() const;
  // The music controls: glyph button 1 play .. 5 next, pop-up item 1..7.
  QToolButton &GlyphButton(int n);
  QAction &PopupItem(int n);
  QMenu &PopupMenu() { return *N_PopupMenu1; }
  QPushButton &OpenButton() { return *N_ButOpen1; }
  QComboBox &TrackList() { return *N_ComBgm1; }
  bool CdTimerOn() const;
  const platform::TTimer &CdTimer() const { return *N_TimCheck1; }

protected:
  void paintEvent(QPaintEvent *event) override;
  void contextMenuEvent(QContextMenuEvent *event) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dragMoveEvent(QDragMoveEvent *event) override;
  void dropEvent(QDropEvent *event) override;

private:
  void FormCreate();
  void BuildControls();
  void BindMusicHandlers();
  void BuildPages();
  void ShowPage(bool information, bool sound, bool environment);
  // Sets a source radio as the window's radios behave: checking one unchecks
  // the other, then runs its handler once; unchecking runs nothing.
  void SetRadioChecked(QRadioButton *radio, bool checked);
  void RadioClicked(QRadioButton *radio, bool checked);
  // Opens N_EdiBgm1's file and plays it from the start; false (after one error
  // box) when the file can't be opened.
  bool OpenAndPlayMidi();
  void ShowMusicPlaying(); // the controls of "play, MIDI"
  // The controls every stop and every end shares; only the end enables the source items.
  void ShowMusicStopped(bool sourceItems);
  // Stops the music of the checked source: the MIDI player is closed, the CD stays open.
  void StopSelectedSource();
  void PlayCd();
  void StopCd();
  void DroppedWave(const QString &file);

  std::string startDirectory_;
  platform::audio::AudioOutput *audioOutput_ = nullptr; // children of this window
  platform::audio::MidiPlayer *midiPlayer_ = nullptr;
  platform::audio::CdPlayer *cdPlayer_ = nullptr;
  platform::audio::SoundEffects *soundEffects_ = nullptr;
  OpenDialogRunner N_OpenDialog1;
  std::uint64_t dropCount_ = 0; // tells a dropped sound's late end notice from a newer drop's

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
  platform::TTimer *N_TimCheck1 = nullptr;

  QLabel *N_ImaInformation1 = nullptr;           // the start picture
  platform::TImage *N_ImaInformation2 = nullptr; // the information page's drawing surface
  std::array<platform::TLabel *, 6> N_LabInformation{};
  QListWidget *N_LisSystem1 = nullptr;
  QGroupBox *N_RaGBgm1 = nullptr, *N_GroBgm1 = nullptr;
  QPushButton *N_ButTab1 = nullptr, *N_ButTab2 = nullptr, *N_ButTab3 = nullptr, *N_ButTab4 = nullptr;
  QLabel *N_StaHelp1 = nullptr;
  std::unique_ptr<sysinfo::SystemInformationSource> information_;
};
