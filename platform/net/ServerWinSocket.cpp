#include "platform/net/ServerWinSocket.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <exception>
#include <sys/socket.h>

#include "platform/core/EventGuard.h"
#include "platform/net/Resolve.h"

namespace platform {

namespace {
// Frees a closed connection from the event loop, once nothing on the stack
// holds it any more: the last owner's release only schedules it.
struct DeferredRelease : QObject {
  explicit DeferredRelease(TServerClientWinSocket *socket) : socket(socket) {}
  std::unique_ptr<TServerClientWinSocket> socket;
};

std::shared_ptr<TServerClientWinSocket> Own(std::unique_ptr<TServerClientWinSocket> socket) {
  return {socket.release(),
          [](TServerClientWinSocket *closed) { (new DeferredRelease(closed))->deleteLater(); }};
}

// Failures of accept that concern only the connection that gave up.
constexpr int kAcceptPauseMs = 1000;

bool Transient(int code) {
  return code == EAGAIN || code == EWOULDBLOCK || code == EINTR || code == ECONNABORTED || code == EPROTO ||
         code == EPERM;
}

[[noreturn]] void RaiseErrno(const char *api) {
  const int code = errno;
  throw ESocketError(SocketErrorText(code, api), code);
}
} // namespace

TServerWinSocket::TServerWinSocket() : FAnchor(std::make_unique<QObject>()) {}

TServerWinSocket::~TServerWinSocket() {
  for (auto &connection : FConnections)
    connection->Detach();
  FConnections.clear();
}

void TServerWinSocket::Listen(const std::string &Service, int Port, int QueueSize) {
  if (FFd)
    throw ESocketError("ソケットは既に開いています.");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_ANY);
  if (const ResolveResult port = ResolvePort(Service, Port, address.sin_port); port.code != 0)
    throw ESocketError(SocketErrorText(port.code, port.api), port.code);

  UniqueFd fd(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (!fd)
    RaiseErrno("socket");
  // Listening again at once on the port just closed must work.
  const int on = 1;
  ::setsockopt(fd.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (::bind(fd.get(), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
    RaiseErrno("bind");
  if (::listen(fd.get(), QueueSize) != 0)
    RaiseErrno("listen");

  FFd = std::move(fd);
  FAcceptNotifier = new QSocketNotifier(FFd.get(), QSocketNotifier::Read, FAnchor.get());
  QObject::connect(FAcceptNotifier, &QSocketNotifier::activated, FAnchor.get(),
                   [this] { Guarded([this] { Accept(); }); });
  Event(this, seListen);
}

void TServerWinSocket::Close() {
  if (!FFd)
    return;
  // Freed from the event loop: this may run inside its own callback.
  FAcceptNotifier->setEnabled(false);
  FAcceptNotifier->deleteLater();
  FAcceptNotifier = nullptr;
  FFd.reset();

  // Every connection is closed even when a disconnect handler fails; the
  // first failure is raised afterwards.
  std::exception_ptr failure;
  while (!FConnections.empty()) {
    const std::shared_ptr<TServerClientWinSocket> connection = FConnections.front();
    try {
      connection->Close();
    } catch (...) {
      if (!failure)
        failure = std::current_exception();
    }
    if (!FConnections.empty() && FConnections.front() == connection)
      RemoveClient(connection.get()); // closed earlier, its disconnect still due
  }
  try {
    Event(this, seDisconnect);
  } catch (...) {
    if (!failure)
      failure = std::current_exception();
  }
  if (failure)
    std::rethrow_exception(failure);
}

int TServerWinSocket::LocalPort() const {
  sockaddr_in local{};
  socklen_t length = sizeof local;
  if (!FFd || ::getsockname(FFd.get(), reinterpret_cast<sockaddr *>(&local), &length) != 0)
    return 0;
  return ntohs(local.sin_port);
}

TServerClientWinSocket *TServerWinSocket::Connections(int Index) const {
  if (Index < 0 || Index >= ActiveConnections())
    throw Exception("リストのインデックスが範囲を超えています (" + std::to_string(Index) + ").");
  return FConnections[static_cast<std::size_t>(Index)].get();
}

bool TServerWinSocket::HasConnection(const TCustomWinSocket *Socket) const {
  return std::any_of(FConnections.begin(), FConnections.end(),
                     [Socket](const auto &connection) { return connection.get() == Socket; });
}

void TServerWinSocket::Accept() {
  const int accepted = ::accept4(FFd.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
  if (accepted < 0) {
    const int code = errno;
    if (Transient(code))
      return;
    // Out of descriptors or memory: the listener stays readable, so rest it a
    // while rather than report the same failure again and again.
    FAcceptNotifier->setEnabled(false);
    QTimer::singleShot(kAcceptPauseMs, FAnchor.get(), [this] {
      if (FAcceptNotifier)
        FAcceptNotifier->setEnabled(true);
    });
    if (const int left = Error(eeAccept, code); left != 0)
      throw ESocketError(SocketErrorText(left, "accept"), left);
    return;
  }
  UniqueFd fd(accepted); // closed here if the connection object never comes

  std::unique_ptr<TServerClientWinSocket> created;
  if (const TGetSocketEvent handler = FOnGetSocket)
    handler(this, accepted, created);
  if (!created)
    created = std::make_unique<TServerClientWinSocket>(accepted, this);
  created->Start(std::move(fd));
  const std::shared_ptr<TServerClientWinSocket> connection = Own(std::move(created));

  // Listed only now, complete with whatever the handler attached to it, so a
  // send to every connection from the connect handler reaches it whole.
  FConnections.push_back(connection);
  connection->Connect();
  Event(connection.get(), seAccept);
}

void TServerWinSocket::ClientEvent(TCustomWinSocket *Socket, TSocketEvent SocketEvent) {
  TSocketNotifyEvent handler;
  if (SocketEvent == seConnect)
    handler = FOnClientConnect;
  else if (SocketEvent == seDisconnect)
    handler = FOnClientDisconnect;
  if (handler)
    handler(this, Socket);
}

void TServerWinSocket::ClientError(TCustomWinSocket *Socket, TErrorEvent ErrorEvent, int &ErrorCode) {
  if (const TSocketErrorEvent handler = FOnClientError)
    handler(this, Socket, ErrorEvent, ErrorCode);
}

void TServerWinSocket::RemoveClient(TServerClientWinSocket *Socket) {
  const auto found = std::find_if(FConnections.begin(), FConnections.end(),
                                  [Socket](const auto &connection) { return connection.get() == Socket; });
  if (found == FConnections.end())
    return;
  (*found)->FServerWinSocket = nullptr;
  FConnections.erase(found); // the last owner schedules its release
}

} // namespace platform
