// Connecting and disconnecting: the network settings dialog's buttons, the
// menu command that opens it, and the disconnect steps that end a match on
// either side.
#include <exception>

#include "network/MatchTexts.h"
#include "network/NetworkMatch.h"

#include "game/MatchMessages.h"
#include "game/TopMenu.h"
#include "platform/core/MessageBox.h"

namespace network {

using game::Label;
using game::MenuItem;
using game::Picture;
using game::Timer;

namespace {

constexpr int kQuitFlushMs = 2000;

// Runs a socket step whose failure must not stop the steps after it.
template <typename Step> void Reporting(game::MainWindowOps &ui, Step step) {
  try {
    step();
  } catch (const std::exception &error) {
    ui.ReportError(error.what());
  }
}

} // namespace

NetworkMatch::NetworkMatch(game::GameState &state, game::MainWindowOps &window, game::MarvokGame &game,
                           MatchSockets &sockets, NetworkDialogOps &dialog)
    : st_(state), ui_(window), game_(game), sockets_(sockets), dialog_(dialog) {
  game_.SetAwaitingPeerHook([this] { AwaitingPeerMove(); });
}

NetworkMatch::~NetworkMatch() { game_.SetAwaitingPeerHook({}); }

void NetworkMatch::N_MenNet1Click() {
  if (st_.fullScreen == 1)
    st_.menuRestorePending = 1;
  dialog_.ShowDialog();
}

void NetworkMatch::Button1Click() {
  // A connection, if any, is left as it is.
  ApplyMenuFlip();
  dialog_.HideDialog();
}

void NetworkMatch::N_ButAccess1Click() {
  if (dialog_.InConnectMode()) {
    Connect();
    return;
  }
  // With no connection there is nobody to tell, and no echo would come back.
  if (!st_.InMatch() || !sockets_.ClientConnected()) {
    DisconnectSteps();
    return;
  }
  // The echo through the host's relay runs the disconnect steps here, as on
  // the peer; the dialog stays open until then.
  try {
    game_.SendTexts(game::DisconnectMessage());
  } catch (const std::exception &error) {
    ui_.ReportError(error.what());
    if (st_.InMatch())
      DisconnectSteps();
  }
}

void NetworkMatch::Connect() {
  // Checked before anything changes: a bad port leaves the side as it was.
  const auto port = PortNumber(dialog_.PortText());
  if (!port) {
    ui_.MessageBox("ポート番号には 0 から 65535 までの数を入力してください。", "",
                   platform::MB_OK | platform::MB_ICONEXCLAMATION);
    return;
  }

  SetMatchMenusEnabled(false);
  // The match is on before any socket opens: their first events belong to it.
  st_.netGameActive = 1;
  StartOpponentPortraitSequence(false);
  LoadDataPicture(Picture::N_ImaCast4, "Face3.bmp");
  game_.N_MenNew1Click();
  earlyPair_.reset();
  ownClient_ = guest_ = nullptr;
  dialog_.SetConnectMode(false);
  if (!OpenSockets(dialog_.HostText(), *port))
    return;

  if (st_.IsGuest()) {
    // Ready for the host's ten deployment texts. The host's phase and message
    // come with its server's connections.
    ui_.SetCaption(Label::N_LabMessage1, "対戦相手がMarvokを配置しています・・・・。");
    st_.gamePhase = game::Waiting;
    st_.netReceiveState = 1;
  }
  ApplyMenuFlip();
  dialog_.HideDialog();
}

bool NetworkMatch::OpenSockets(const std::string &host, int port) {
  try {
    sockets_.SetClientHost(host);
    sockets_.SetClientPort(port);
    if (dialog_.ServerChecked()) {
      // The host deploys only once its guest has arrived; a click before that
      // would place a Marvok the guest never hears of.
      st_.gamePhase = game::Waiting;
      sockets_.SetServerPort(port);
      sockets_.SetServerActive(true);
      st_.netRoleIsClient = 0;
    } else {
      st_.netRoleIsClient = 1;
    }
    // Both roles: the host's own client connects like any guest.
    sockets_.SetClientActive(true);
  } catch (const std::exception &error) {
    ui_.ReportError(error.what());
    if (st_.InMatch())
      DisconnectSteps();
    return false;
  }
  // A failure reported while opening may already have ended the match.
  return st_.InMatch();
}

void NetworkMatch::DisconnectSteps() {
  st_.netGameActive = 0;
  // Nothing of this match's protocol state may shift the next match's texts.
  st_.netReceiveState = game::NetIdle;
  st_.moveTextToggle = 0;
  earlyPair_.reset();
  ownClient_ = guest_ = nullptr;

  Reporting(ui_, [&] { sockets_.SetClientActive(false); });
  Reporting(ui_, [&] { sockets_.SetServerActive(false); });
  SetMatchMenusEnabled(true);
  StartOpponentPortraitSequence(true);
  LoadDataPicture(Picture::N_ImaCast4, "Face2.bmp");
  ui_.SetEnabled(Timer::N_TimTimer1, false);
  dialog_.SetConnectMode(true);
  // The boards, counters and turn timers stay as they are.
  ui_.SetCaption(Label::N_LabMessage1, "切断されました。");
  st_.gamePhase = game::Waiting;
}

void NetworkMatch::StartOpponentPortraitSequence(bool disconnected) {
  st_.opponentWipeLine = 0;
  st_.opponentPortraitStage = 0;
  LoadDataPicture(Picture::N_ImaWork1, "Cast0.bmp");
  st_.netDisconnected = disconnected ? 1 : 0;
  ui_.SetEnabled(Timer::N_TimEffect2, true);
  ui_.SetEnabled(Timer::N_TimFace2, false);
}

void NetworkMatch::ApplyMenuFlip() {
  if (st_.menuRestorePending != 1)
    return;
  game::FlipTopMenuItems(ui_); // the flip a mouse move over the top strip makes in full screen
  st_.menuRestorePending = 0;
}

void NetworkMatch::SetMatchMenusEnabled(bool enabled) {
  for (MenuItem item :
       {MenuItem::N_MenNew1, MenuItem::N_MenLevel1, MenuItem::N_MenLevel2, MenuItem::N_MenLevel3})
    ui_.SetEnabled(item, enabled);
}

void NetworkMatch::LoadDataPicture(Picture picture, const std::string &file) {
  game_.LoadDataPicture(picture, file);
}

void NetworkMatch::FlushBeforeExit() {
  Reporting(ui_, [&] {
    sockets_.FlushClient(kQuitFlushMs);
    // A host's relay ends with the program: it must pass the text on to the
    // peer first. Its own echo coming back (the disconnect steps) shows it has.
    if (st_.IsHost())
      sockets_.ServeUntil([this] { return !st_.InMatch(); }, kQuitFlushMs);
  });
}

} // namespace network
