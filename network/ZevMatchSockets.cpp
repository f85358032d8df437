#include "network/ZevMatchSockets.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <exception>
#include <vector>

#include "network/NetworkMatch.h"
#include "platform/core/EventGuard.h"

namespace network {

namespace {
constexpr int kServeCheckMs = 10;
// A stalled connection is cut within this much of the watch's stall time.
constexpr int kQueueCheckMs = 250;

ConnectionId IdOf(const platform::TCustomWinSocket *socket) { return socket; }
} // namespace

ZevMatchSockets::ZevMatchSockets(Zev::TPacketClientSocket &client, Zev::TPacketServerSocket &server,
                                 RelayQueueWatch::Clock now)
    : client_(client), server_(server), queueWatch_(std::move(now)) {
  queueCheck_.setInterval(kQueueCheckMs);
  QObject::connect(&queueCheck_, &QTimer::timeout, &queueCheck_,
                   [this] { platform::Guarded([this] { CutStalledQueues(); }); });
}

void ZevMatchSockets::Bind(NetworkMatch *match) {
  if (match == nullptr) {
    client_.SetOnPacketArrived(nullptr);
    client_.SetOnDisconnect(nullptr);
    client_.SetOnError(nullptr);
    server_.SetOnPacketArrived(nullptr);
    server_.SetOnAccept(nullptr);
    server_.SetOnClientDisconnect(nullptr);
    server_.SetOnClientError(nullptr);
    return;
  }
  client_.SetOnPacketArrived([match](platform::TObject *, platform::TCustomWinSocket *, const void *data,
                                     int size) { match->N_PacketClientSocket1PacketArrived(data, size); });
  client_.SetOnDisconnect(
      [match](platform::TObject *, platform::TCustomWinSocket *) { match->ClientConnectionLost(""); });
  // A failed connect or a broken connection: the match ends here, and the
  // platform reports the socket error once this returns.
  client_.SetOnError([match](platform::TObject *, platform::TCustomWinSocket *, platform::TErrorEvent,
                             int &) { match->ClientConnectionLost(""); });
  server_.SetOnPacketArrived([match](platform::TObject *, platform::TCustomWinSocket *, const void *data,
                                     int size) { match->N_PacketServerSocket1PacketArrived(data, size); });
  server_.SetOnAccept([match](platform::TObject *, platform::TCustomWinSocket *socket) {
    match->N_PacketServerSocket1Accept(IdOf(socket));
  });
  server_.SetOnClientDisconnect([match](platform::TObject *, platform::TCustomWinSocket *socket) {
    match->ServerConnectionClosed(IdOf(socket));
  });
  // A connection that fails is closed, and its disconnect tells the match;
  // the host gets no box for a peer's broken cable.
  server_.SetOnClientError([](platform::TObject *, platform::TCustomWinSocket *, platform::TErrorEvent,
                              int &errorCode) { errorCode = 0; });
}

Zev::TPacketServerClientWinSocket *ZevMatchSockets::Find(ConnectionId connection) const {
  for (int i = 0; i < server_.ActiveConnections(); ++i) {
    Zev::TPacketServerClientWinSocket *socket = server_.GetClientSocket(i);
    if (IdOf(socket) == connection)
      return socket;
  }
  return nullptr;
}

std::string ZevMatchSockets::RemoteHost(ConnectionId connection) const {
  const auto *socket = Find(connection);
  return socket ? socket->RemoteHost() : std::string();
}

Endpoint ZevMatchSockets::RemoteEnd(ConnectionId connection) const {
  const auto *socket = Find(connection);
  return socket ? Endpoint{socket->RemoteAddress(), socket->RemotePort()} : Endpoint{};
}

Endpoint ZevMatchSockets::ClientLocalEnd() const {
  return {client_.Socket()->LocalAddress(), client_.Socket()->LocalPort()};
}

void ZevMatchSockets::CloseConnection(ConnectionId connection) {
  if (auto *socket = Find(connection))
    socket->Close();
}

void ZevMatchSockets::ServerSendToAll(const void *data, int size) {
  std::exception_ptr failure;
  try {
    server_.SendPacketToAll(data, size);
  } catch (...) {
    failure = std::current_exception();
  }
  // A peer that does not read would make its queue grow without end.
  CutStalledQueues();
  if (failure)
    std::rethrow_exception(failure);
}

void ZevMatchSockets::CutStalledQueues() {
  std::vector<RelayQueueWatch::Queue> queues;
  queues.reserve(static_cast<std::size_t>(server_.ActiveConnections()));
  for (int i = 0; i < server_.ActiveConnections(); ++i) {
    const Zev::TPacketServerClientWinSocket *socket = server_.GetClientSocket(i);
    const std::int64_t queued = socket->QueuedBytes();
    // The kernel is asked only about the queues the watch looks at.
    queues.push_back({IdOf(socket), queued,
                      RelayQueueWatch::NeedsTakenBytes(queued) ? socket->TakenBytes() : std::uint64_t{0}});
  }
  const std::vector<ConnectionId> cut = queueWatch_.ToCut(queues);
  if (!queueWatch_.Watching())
    queueCheck_.stop();
  else if (!queueCheck_.isActive())
    queueCheck_.start();
  // Closing one may end the match and close the others: each is looked up
  // again before it is closed.
  for (ConnectionId connection : cut)
    CloseConnection(connection);
}

void ZevMatchSockets::ServeUntil(const std::function<bool()> &done, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, &loop, [&] {
    if (done() || clock.elapsed() >= timeoutMs)
      loop.quit();
  });
  check.start(kServeCheckMs);
  if (!done())
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace network
