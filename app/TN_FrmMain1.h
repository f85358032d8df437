#pragma once
// The main window: the field, portraits, bars, countdown, message line and
// menu, the owner of the game state. Its controls carry out the game's
// operations (MainWindowOps); its handlers pass events on to the game.
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/GameState.h"
#include "game/MainWindowOps.h"
#include "game/MarvokGame.h"
#include "game/Random.h"
#include "network/NetworkMatch.h"
#include "network/ZevMatchSockets.h"
#include "packetsockets/PacketClientSocket.h"
#include "packetsockets/PacketServerSocket.h"
#include "platform/core/Controls.h"
#include "platform/core/DisplayMode.h"
#include "platform/core/Timer.h"

class QAction;
class QUrl;
class QMenu;
class TN_FrmSystem1;
class TN_FrmSub2;

class TN_FrmMain1 : public QMainWindow, public game::MainWindowOps {
  Q_OBJECT
public:
  TN_FrmMain1();

  // The sound and system window, created after this one; start-up needs it.
  void AttachSystemWindow(TN_FrmSystem1 &system);
  // The network settings dialog, created after the system window: the network
  // match starts with it. The dialog must outlive the match's use of it.
  void AttachNetworkDialog(TN_FrmSub2 &dialog);
  // The display switch for full screen (the desktop's own by default).
  void SetDisplayModeSwitcher(std::unique_ptr<platform::DisplayModeSwitcher> display) {
    display_ = std::move(display);
  }
  // How the help page is opened (the desktop's browser by default).
  void SetUrlOpener(std::function<void(const QUrl &)> opener) { urlOpener_ = std::move(opener); }
  ~TN_FrmMain1() override;

  game::GameState &State() { return state_; }
  game::MarvokGame &Game() { return game_; }
  platform::TImage &PictureControl(game::Picture picture);
  // The 640 by 480 client area that holds every control.
  QWidget &ClientArea() { return *client_; }
  platform::TLabel &LabelControl(game::Label label);
  QAction &MenuAction(game::MenuItem item);
  const platform::TTimer &TimerControl(game::Timer timer) const { return *timers_.at(timer); }

  // Puts the window at the centre of its screen (before it is first shown).
  void CentreOnScreen();
  // Gives the desktop its display mode back (the program is ending on a signal).
  void RestoreDisplayMode() { display_->Restore(); }

  // Event handlers.
  void N_TimCreate1Timer();
  void N_TimClose1Timer();
  void N_MenEnd1Click();
  void N_MenFull1Click();
  void N_MenHelp1Click();
  void N_MenTool1Click();
  void N_MenNet1Click();
  void N_LabFull1MouseMove();
  void EnterFullScreen();
  void LeaveFullScreen();

  // MainWindowOps.
  platform::TBitmap &Canvas(game::Picture picture) override;
  void LoadPicture(game::Picture picture, const std::string &path) override;
  void Refresh(game::Picture picture) override;
  void SetVisible(game::Picture picture, bool visible) override;
  bool Visible(game::Picture picture) const override;
  void SetWidth(game::Picture picture, int width) override;
  int Width(game::Picture picture) const override;
  void SetCaption(game::Label label, const std::string &text) override;
  std::string Caption(game::Label label) const override;
  void SetVisible(game::Label label, bool visible) override;
  bool Visible(game::Label label) const override;
  void SetEnabled(game::Timer timer, bool enabled) override;
  bool Enabled(game::Timer timer) const override;
  void SetChecked(game::MenuItem item, bool checked) override;
  bool Checked(game::MenuItem item) const override;
  void SetEnabled(game::MenuItem item, bool enabled) override;
  bool Enabled(game::MenuItem item) const override;
  void SetVisible(game::MenuItem item, bool visible) override;
  bool Visible(game::MenuItem item) const override;
  void SetCaption(game::MenuItem item, const std::string &caption) override;
  std::string Caption(game::MenuItem item) const override;
  std::string DataFolder() const override;
  void PlaySound(const std::string &bareFileName) override;
  void SendPacket(const void *data, int size) override;
  int MessageBox(const std::string &text, const std::string &caption, int flags) override;
  void ReportError(const std::string &text) override;

signals:
  // The user confirmed quitting: the program ends.
  void Quitting();

protected:
  void closeEvent(QCloseEvent *event) override;

private:
  void FormCreate();
  void BuildMenu();
  void KeepShortcutWhileHidden(QAction &item);
  void BuildKeys();
  void BuildControls();
  void BuildTimers();
  void LoadStartPicture(platform::TImage &image, std::string_view file);
  // Asks before quitting; true when the program may end.
  bool ConfirmQuit();
  void WriteSettingsFile();
  void SetBorder(bool single);
  void ShowWindowed();
  void CoverScreen(bool displaySwitched);
  void TimerFired(game::Timer timer);

  TN_FrmSystem1 *system_ = nullptr;
  QWidget *client_ = nullptr;
  std::array<platform::TImage *, 101> cells_{}; // [1..100]
  std::map<game::Picture, platform::TImage *> pictures_;
  std::map<game::Label, platform::TLabel *> labels_;
  std::map<game::Timer, platform::TTimer *> timers_;
  std::map<game::MenuItem, QAction *> menu_;
  QMenu *optionMenu_ = nullptr;
  std::vector<std::string> missingFiles_;

  game::GameState state_;
  game::Random random_;
  game::MarvokGame game_{state_, *this, random_};
  // The two socket components, the match's view of them, and the match.
  Zev::TPacketClientSocket N_PacketClientSocket1;
  Zev::TPacketServerSocket N_PacketServerSocket1;
  network::ZevMatchSockets sockets_{N_PacketClientSocket1, N_PacketServerSocket1};
  std::unique_ptr<network::NetworkMatch> match_;
  std::unique_ptr<platform::DisplayModeSwitcher> display_;
  std::function<void(const QUrl &)> urlOpener_;
  bool quitConfirmed_ = false;
  // Where the client area stood before full screen; it comes back there.
  std::optional<QPoint> windowedPos_;
};

// The splash window that is shown; the closing timer closes it. Guarded: it
// no longer points at the splash once the splash has destroyed itself.
extern QPointer<QWidget> N_FrmSub1;
