#pragma once
// The two packet-socket components of a side, in memory, on a shared fake
// network driven by the manual clock. Bytes travel in order per direction
// and arrive latencyMs later, in separate events; a close reaches the other
// end after the data sent before it, as on TCP. Close notifications of a
// side's own sockets run before the closing call returns.
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "network/MatchSockets.h"
#include "network/NetworkMatch.h"
#include "platform/core/Exception.h"
#include "tests/network/ManualClock.h"

namespace nettest {

class FakeSockets;

struct FakeConnection {
  FakeSockets *client = nullptr;
  FakeSockets *server = nullptr;
  int clientPort = 0;     // where the client connects from
  bool clientOpen = true; // the client end still reads
  bool serverOpen = true; // the server end is still listed
};

struct FakeNet {
  explicit FakeNet(ManualClock &clock) : clock(clock) {}
  ManualClock &clock;
  int latencyMs = 1;
  int lastPort = 40000; // the last port a client connected from
  std::map<int, FakeSockets *> listeners;
  // Kept for the test's life, so a connection's identity is never reused.
  std::vector<std::unique_ptr<FakeConnection>> connections;
};

class FakeSockets : public network::MatchSockets {
public:
  FakeSockets(FakeNet &net, std::string name) : name(std::move(name)), net_(net) {}

  // Where the events go; none for a bare foreign client.
  network::NetworkMatch *match = nullptr;
  std::string name;                  // the remote host name the server reports for this client
  std::string address = "127.0.0.1"; // ... and its address
  bool failListen = false;
  bool failOpen = false;
  bool askedForServer = false; // activated with an empty host or port 0
  std::vector<std::string> calls;
  std::function<void(const std::string &)> onCall;

  // Client.
  void SetClientHost(const std::string &value) override { Record("client-host:" + value), host_ = value; }
  void SetClientPort(int value) override { Record("client-port:" + std::to_string(value)), port_ = value; }
  void SetClientActive(bool active) override {
    Record(active ? "client-active:1" : "client-active:0");
    if (active == clientActive_)
      return;
    if (active) {
      if (failOpen)
        throw platform::Exception("ホスト " + host_ + " が見つかりません。");
      askedForServer = host_.empty() || port_ == 0;
      clientActive_ = true;
      localPort_ = ++net_.lastPort;
      net_.clock.After(net_.latencyMs, [this, target = port_] { ConnectOutcome(target); });
      return;
    }
    clientActive_ = false;
    FakeConnection *link = std::exchange(link_, nullptr);
    if (link == nullptr)
      return;
    link->clientOpen = false;
    net_.clock.After(net_.latencyMs, [link] { link->server->PeerClosed(link); });
    if (match)
      match->ClientConnectionLost("");
  }
  bool ClientConnected() const override { return link_ != nullptr; }
  network::Endpoint ClientLocalEnd() const override {
    return clientActive_ ? network::Endpoint{address, localPort_} : network::Endpoint{};
  }
  void ClientSend(const void *data, int size) override {
    if (link_ == nullptr)
      return; // not connected: nothing goes out
    FakeConnection *link = link_;
    net_.clock.After(net_.latencyMs, [link, bytes = Bytes(data, size)] {
      if (link->serverOpen)
        link->server->FromClient(bytes);
    });
  }
  void FlushClient(int) override { Record("flush"); }
  void ServeUntil(const std::function<bool()> &done, int timeoutMs) override {
    Record("serve");
    net_.clock.RunUntil(done, timeoutMs);
  }

  // Server.
  void SetServerPort(int value) override {
    Record("server-port:" + std::to_string(value)), serverPort_ = value;
  }
  void SetServerActive(bool active) override {
    Record(active ? "server-active:1" : "server-active:0");
    if (active == listening_)
      return;
    if (active) {
      if (failListen || net_.listeners.count(serverPort_))
        throw platform::Exception("ポート " + std::to_string(serverPort_) + " で待機できません。");
      listening_ = true;
      net_.listeners[serverPort_] = this;
      return;
    }
    listening_ = false;
    net_.listeners.erase(serverPort_);
    for (FakeConnection *connection : std::vector<FakeConnection *>(accepted_))
      CloseServerEnd(connection);
  }
  int ServerConnectionCount() const override { return static_cast<int>(accepted_.size()); }
  std::string RemoteHost(network::ConnectionId connection) const override {
    return static_cast<const FakeConnection *>(connection)->client->name;
  }
  network::Endpoint RemoteEnd(network::ConnectionId connection) const override {
    const auto *link = static_cast<const FakeConnection *>(connection);
    return {link->client->address, link->clientPort};
  }
  void CloseConnection(network::ConnectionId connection) override {
    Record("close-connection");
    for (FakeConnection *accepted : accepted_)
      if (accepted == connection) {
        CloseServerEnd(accepted);
        return;
      }
  }
  void ServerSendToAll(const void *data, int size) override {
    for (FakeConnection *connection : accepted_)
      net_.clock.After(net_.latencyMs, [connection, bytes = Bytes(data, size)] {
        if (connection->clientOpen && connection->client->link_ == connection)
          connection->client->FromServer(bytes);
      });
  }

  bool Listening() const { return listening_; }
  bool ClientActive() const { return clientActive_; }

private:
  static std::string Bytes(const void *data, int size) {
    return size > 0 ? std::string(static_cast<const char *>(data), static_cast<std::size_t>(size))
                    : std::string();
  }
  void Record(const std::string &call) {
    calls.push_back(call);
    if (onCall)
      onCall(call);
  }

  void ConnectOutcome(int target) {
    if (!clientActive_ || link_ != nullptr)
      return;
    auto server = net_.listeners.find(target);
    if (server == net_.listeners.end()) {
      clientActive_ = false;
      if (match)
        match->ClientConnectionLost("接続が拒否されました。");
      return;
    }
    net_.connections.push_back(
        std::make_unique<FakeConnection>(FakeConnection{this, server->second, localPort_}));
    link_ = net_.connections.back().get();
    server->second->Accepted(link_);
  }
  void Accepted(FakeConnection *connection) {
    accepted_.push_back(connection);
    if (match)
      match->N_PacketServerSocket1Accept(connection);
  }
  // This server's end closes: its notification now, the client's later.
  void CloseServerEnd(FakeConnection *connection) {
    Unlist(connection);
    if (match)
      match->ServerConnectionClosed(connection);
    net_.clock.After(net_.latencyMs, [connection] { connection->client->ServerEndClosed(connection); });
  }
  // The client end closed: this server learns it.
  void PeerClosed(FakeConnection *connection) {
    if (!connection->serverOpen)
      return;
    Unlist(connection);
    if (match)
      match->ServerConnectionClosed(connection);
  }
  void Unlist(FakeConnection *connection) {
    connection->serverOpen = false;
    accepted_.erase(std::remove(accepted_.begin(), accepted_.end(), connection), accepted_.end());
  }
  // At the client: the server closed the connection.
  void ServerEndClosed(FakeConnection *connection) {
    if (link_ != connection)
      return;
    link_ = nullptr;
    clientActive_ = false;
    connection->clientOpen = false;
    if (match)
      match->ClientConnectionLost("");
  }
  void FromClient(const std::string &bytes) {
    if (match)
      match->N_PacketServerSocket1PacketArrived(bytes.data(), static_cast<int>(bytes.size()));
  }
  void FromServer(const std::string &bytes) {
    if (match)
      match->N_PacketClientSocket1PacketArrived(bytes.data(), static_cast<int>(bytes.size()));
  }

  FakeNet &net_;
  std::string host_;
  int port_ = 0;
  bool clientActive_ = false;
  int localPort_ = 0;
  FakeConnection *link_ = nullptr;
  int serverPort_ = 0;
  bool listening_ = false;
  std::vector<FakeConnection *> accepted_;
};

} // namespace nettest
