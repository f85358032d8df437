// The host's side of the sockets: the relay, the acceptance of connections,
// and connections that end without the disconnect text.
#include "network/NetworkMatch.h"

namespace network {

using game::Label;

void NetworkMatch::N_PacketServerSocket1PacketArrived(const void *data, int size) {
  // A pure relay: the very payload to every connection, the sender's included.
  sockets_.ServerSendToAll(data, size);
}

void NetworkMatch::N_PacketServerSocket1Accept(ConnectionId connection) {
  const int count = sockets_.ServerConnectionCount();
  // The server listens before the host's own client connects, so a stranger
  // may come first: the own client is the connection that comes from this
  // side's client socket, and nothing is taken before it.
  const bool ownClient =
      ownClient_ == nullptr && SameEndpoint(sockets_.RemoteEnd(connection), sockets_.ClientLocalEnd());
  // A match takes the host's own client and one guest; any other connection
  // is closed at once and changes nothing here.
  if (!st_.InMatch() || count > 2 || (count == 2 && guest_ != nullptr) ||
      (ownClient_ == nullptr && !ownClient)) {
    sockets_.CloseConnection(connection);
    return;
  }
  ui_.SetCaption(Label::N_LabMessage1,
                 "ログイン：" + sockets_.RemoteHost(connection) + "\n対戦相手を待っています・・・・・。");
  if (ownClient) {
    // Wait for the guest.
    ownClient_ = connection;
    st_.gamePhase = game::Waiting;
    return;
  }
  guest_ = connection;
  // The opponent portrait's wipe, held after its first stage, goes on.
  ui_.SetEnabled(game::Timer::N_TimEffect2, true);
  ui_.SetCaption(Label::N_LabMessage1, "対戦相手が見つかりました。\n自軍Marvokを配置してください。");
  st_.netReceiveState = game::NetIdle;
  st_.gamePhase = 0;
}

void NetworkMatch::ClientConnectionLost(const std::string &error) {
  // Closing our own sockets at the disconnect lands here too, after the match
  // has ended.
  if (!st_.InMatch())
    return;
  if (!error.empty())
    ui_.ReportError(error);
  DisconnectSteps();
}

void NetworkMatch::ServerConnectionClosed(ConnectionId connection) {
  if (connection != nullptr && connection == ownClient_)
    ownClient_ = nullptr;
  if (connection == nullptr || connection != guest_)
    return;
  guest_ = nullptr;
  // The guest is gone without the disconnect text (crashed, or its cable is out).
  if (st_.InMatch())
    DisconnectSteps();
}

} // namespace network
