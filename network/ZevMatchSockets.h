#pragma once
// The match's sockets over the main window's two packet-socket components,
// and the components' events routed to the match.
#include <QTimer>
#include <cstdint>

#include "network/MatchSockets.h"
#include "network/RelayQueueWatch.h"
#include "packetsockets/PacketClientSocket.h"
#include "packetsockets/PacketServerSocket.h"

namespace network {

class NetworkMatch;

class ZevMatchSockets : public MatchSockets {
public:
  // now: the clock that times a connection's stall (tests pass their own).
  ZevMatchSockets(Zev::TPacketClientSocket &client, Zev::TPacketServerSocket &server,
                  RelayQueueWatch::Clock now = RelayQueueWatch::SteadyMs);
  ~ZevMatchSockets() override { Bind(nullptr); }
  ZevMatchSockets(const ZevMatchSockets &) = delete;
  ZevMatchSockets &operator=(const ZevMatchSockets &) = delete;

  // Routes the components' events to the match; null unbinds them.
  void Bind(NetworkMatch *match);

  void SetClientHost(const std::string &host) override { client_.SetHost(host); }
  void SetClientPort(int port) override { client_.SetPort(port); }
  void SetClientActive(bool active) override { client_.SetActive(active); }
  bool ClientConnected() const override { return client_.Socket()->Connected(); }
  Endpoint ClientLocalEnd() const override;
  void ClientSend(const void *data, int size) override { client_.SendPacket(data, size); }
  void FlushClient(int timeoutMs) override { client_.FlushPackets(timeoutMs); }
  void ServeUntil(const std::function<bool()> &done, int timeoutMs) override;

  void SetServerPort(int port) override { server_.SetPort(port); }
  void SetServerActive(bool active) override { server_.SetActive(active); }
  int ServerConnectionCount() const override { return server_.ActiveConnections(); }
  std::string RemoteHost(ConnectionId connection) const override;
  Endpoint RemoteEnd(ConnectionId connection) const override;
  void CloseConnection(ConnectionId connection) override;
  void ServerSendToAll(const void *data, int size) override;

private:
  Zev::TPacketServerClientWinSocket *Find(ConnectionId connection) const;
  // Cuts what the watch says, and looks again on a timer while a queue is
  // over the limit: a stalled peer that sends nothing more is cut all the same.
  void CutStalledQueues();

  Zev::TPacketClientSocket &client_;
  Zev::TPacketServerSocket &server_;
  RelayQueueWatch queueWatch_;
  QTimer queueCheck_;
};

} // namespace network
