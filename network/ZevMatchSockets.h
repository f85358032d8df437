#pragma once
// The match's sockets over the main window's two packet-socket components,
// and the components' events routed to the match.
#include <cstdint>

#include "network/MatchSockets.h"
#include "packetsockets/PacketClientSocket.h"
#include "packetsockets/PacketServerSocket.h"

namespace network {

class NetworkMatch;

class ZevMatchSockets : public MatchSockets {
public:
  // A connection that has this much unsent is not reading: the relay closes
  // it. The match's texts are a few bytes each.
  static constexpr std::int64_t kMaxQueuedBytes = 64 * 1024;

  ZevMatchSockets(Zev::TPacketClientSocket &client, Zev::TPacketServerSocket &server)
      : client_(client), server_(server) {}
  ~ZevMatchSockets() override { Bind(nullptr); }
  ZevMatchSockets(const ZevMatchSockets &) = delete;
  ZevMatchSockets &operator=(const ZevMatchSockets &) = delete;

  // Routes the components' events to the match; null unbinds them.
  void Bind(NetworkMatch *match);

  void SetClientHost(const std::string &host) override { client_.SetHost(host); }
  void SetClientPort(int port) override { client_.SetPort(port); }
  void SetClientActive(bool active) override { client_.SetActive(active); }
  bool ClientConnected() const override { return client_.Socket()->Connected(); }
  void ClientSend(const void *data, int size) override { client_.SendPacket(data, size); }
  void FlushClient(int timeoutMs) override { client_.FlushPackets(timeoutMs); }

  void SetServerPort(int port) override { server_.SetPort(port); }
  void SetServerActive(bool active) override { server_.SetActive(active); }
  int ServerConnectionCount() const override { return server_.ActiveConnections(); }
  std::string RemoteHost(ConnectionId connection) const override;
  void CloseConnection(ConnectionId connection) override;
  void ServerSendToAll(const void *data, int size) override;

private:
  Zev::TPacketServerClientWinSocket *Find(ConnectionId connection) const;

  Zev::TPacketClientSocket &client_;
  Zev::TPacketServerSocket &server_;
};

} // namespace network
