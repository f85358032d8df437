#pragma once
// The network match on one side: connecting and disconnecting from the
// network settings dialog, the protocol receiver that both sides run on their
// client socket, and the host's relay and acceptance of connections. It works
// on the main window's game state and drives the window, the two sockets and
// the dialog only through their interfaces.
#include <optional>
#include <string>
#include <utility>

#include "game/GameState.h"
#include "game/MainWindowOps.h"
#include "game/MarvokGame.h"
#include "network/MatchSockets.h"
#include "network/NetworkDialogOps.h"

namespace network {

class NetworkMatch {
public:
  NetworkMatch(game::GameState &state, game::MainWindowOps &window, game::MarvokGame &game,
               MatchSockets &sockets, NetworkDialogOps &dialog);
  ~NetworkMatch();
  NetworkMatch(const NetworkMatch &) = delete;
  NetworkMatch &operator=(const NetworkMatch &) = delete;

  // The menu item "ﾈｯﾄﾜｰｸ対戦" and the dialog's two buttons.
  void N_MenNet1Click();
  void N_ButAccess1Click();
  void Button1Click();

  // Socket events. The receiver and the relay take one packet's payload.
  void N_PacketClientSocket1PacketArrived(const void *data, int size);
  void N_PacketServerSocket1PacketArrived(const void *data, int size);
  void N_PacketServerSocket1Accept(ConnectionId connection);
  // The client's connection closed or failed (error: its text, empty for an
  // orderly close), or one of the server's connections closed.
  void ClientConnectionLost(const std::string &error);
  void ServerConnectionClosed(ConnectionId connection);

  // Runs when this side's hand-over has reached its first tick and waits for
  // the peer's move (bound to the game's hook).
  void AwaitingPeerMove();

  // The program is ending: whatever the quit step sent goes out first, and a
  // host's relay passes it on.
  void FlushBeforeExit();

private:
  // Receiver steps.
  void ReceiveDeploymentText(const std::string &text);
  void ReceiveMoveText(const std::string &text);
  void MovePairComplete();
  void ApplyPeerSearchMove();
  void RematchSteps();
  // Connection steps.
  void Connect();
  // Sets the client's server and opens the sockets for the role; a failure is
  // reported and ends the match. Returns whether the match is still on.
  bool OpenSockets(const std::string &host, int port);
  void DisconnectSteps();
  void StartOpponentPortraitSequence(bool disconnected);
  void ApplyMenuFlip();
  void SetMatchMenusEnabled(bool enabled);
  // Loads dataFolder + file into a picture; a failure is reported and the
  // picture keeps what it had.
  void LoadDataPicture(game::Picture picture, const std::string &file);

  game::GameState &st_;
  game::MainWindowOps &ui_;
  game::MarvokGame &game_;
  MatchSockets &sockets_;
  NetworkDialogOps &dialog_;
  // The peer's pair that completed before this side's hand-over reached its
  // first tick: applied once it has.
  std::optional<std::pair<std::string, std::string>> earlyPair_;
  // The host's own client and its one guest, once each has connected.
  ConnectionId ownClient_ = nullptr;
  ConnectionId guest_ = nullptr;
};

} // namespace network
