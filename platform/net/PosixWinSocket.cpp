#include "platform/net/PosixWinSocket.h"

#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <exception>
#include <functional>
#include <linux/sockios.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include "platform/core/EventGuard.h"
#include "platform/net/Resolve.h"

namespace platform {

namespace {
bool WouldBlock(int code) { return code == EAGAIN || code == EWOULDBLOCK; }

// A socket notifier that runs its callback straight from its event. The
// signal it would emit instead (twice, behind a guard) costs about as much as
// the rest of a small packet's way through the relay.
class DirectNotifier final : public QSocketNotifier {
public:
  DirectNotifier(int fd, Type type, QObject *parent, std::function<void()> onActivated)
      : QSocketNotifier(fd, type, parent), onActivated_(std::move(onActivated)) {}

protected:
  bool event(QEvent *event) override {
    if (event->type() != QEvent::SockAct && event->type() != QEvent::SockClose)
      return QSocketNotifier::event(event);
    onActivated_();
    return true;
  }

private:
  std::function<void()> onActivated_;
};

// Stops a notifier now and frees it from the event loop: it may be the one
// whose callback is running.
void Retire(QSocketNotifier *&notifier) {
  if (!notifier)
    return;
  notifier->setEnabled(false);
  notifier->deleteLater();
  notifier = nullptr;
}
} // namespace

TPosixWinSocket::TPosixWinSocket() : anchor_(std::make_unique<QObject>()) {}

TPosixWinSocket::~TPosixWinSocket() { Teardown(); }

int TPosixWinSocket::ReceiveLength() {
  int pending = 0;
  if (state_ != State::Connected || ::ioctl(fd_.get(), FIONREAD, &pending) != 0)
    return 0;
  return pending;
}

int TPosixWinSocket::UntakenBytes() const {
  int queued = 0;
  if (state_ != State::Connected || ::ioctl(fd_.get(), SIOCOUTQ, &queued) != 0)
    return 0;
  return queued;
}

int TPosixWinSocket::ReceiveBuf(void *Buf, int Count) {
  if (state_ != State::Connected || Count <= 0)
    return 0;
  for (;;) {
    const ssize_t got = ::recv(fd_.get(), Buf, static_cast<size_t>(Count), 0);
    if (got > 0) {
      readSeen_ = true;
      return static_cast<int>(got);
    }
    if (got == 0) { // the peer closed: the connection ends after this notification
      readSeen_ = peerClosed_ = true;
      return 0;
    }
    if (errno == EINTR)
      continue;
    if (WouldBlock(errno))
      return -1;
    Fail(eeReceive, errno, "recv");
    return -1;
  }
}

int TPosixWinSocket::SendBuf(const void *Buf, int Count) {
  if (state_ != State::Connected || Count <= 0)
    return 0;
  for (;;) {
    const ssize_t sent = ::send(fd_.get(), Buf, static_cast<size_t>(Count), MSG_NOSIGNAL);
    if (sent >= 0) {
      if (sent < Count)
        ArmWrite();
      return static_cast<int>(sent);
    }
    if (errno == EINTR)
      continue;
    if (WouldBlock(errno)) {
      ArmWrite();
      return -1;
    }
    Fail(eeSend, errno, "send");
    return -1;
  }
}

void TPosixWinSocket::Close() {
  if (state_ != State::Closed) {
    const bool wasConnected = state_ == State::Connected;
    Teardown();
    disconnectPending_ = wasConnected;
  }
  if (disconnectPending_)
    DeliverDisconnect();
}

std::string TPosixWinSocket::RemoteHost() const {
  return state_ == State::Connected ? HostNameOf(peer_) : "";
}

std::string TPosixWinSocket::RemoteAddress() const {
  return state_ == State::Connected ? AddressText(peer_) : "";
}

int TPosixWinSocket::RemotePort() const { return state_ == State::Connected ? ntohs(peer_.sin_port) : 0; }

std::string TPosixWinSocket::LocalAddress() const {
  return state_ != State::Closed ? AddressText(local_) : "";
}

int TPosixWinSocket::LocalPort() const { return state_ != State::Closed ? ntohs(local_.sin_port) : 0; }

bool TPosixWinSocket::WaitWritable(int timeoutMs) const {
  if (state_ != State::Connected)
    return false;
  pollfd ready{fd_.get(), POLLOUT, 0};
  int rc = 0;
  do
    rc = ::poll(&ready, 1, std::max(timeoutMs, 0));
  while (rc < 0 && errno == EINTR);
  return rc > 0 && (ready.revents & POLLOUT);
}

void TPosixWinSocket::StartConnecting(UniqueFd fd) { Watch(std::move(fd), State::Connecting); }

void TPosixWinSocket::StartConnected(UniqueFd fd) { Watch(std::move(fd), State::Connected); }

void TPosixWinSocket::Abandon() {
  Teardown();
  disconnectPending_ = false;
}

void TPosixWinSocket::Watch(UniqueFd fd, State state) {
  Teardown();
  fd_ = std::move(fd);
  state_ = state;
  // Packets are small and each is a whole message: send them at once rather
  // than wait for the peer's acknowledgement of the previous one.
  const int on = 1;
  ::setsockopt(fd_.get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  disconnectPending_ = false;
  ++generation_;
  // A connect under way has its local end already: the listener it reaches
  // may tell its own client by it before the connect completes here.
  socklen_t length = sizeof local_;
  ::getsockname(fd_.get(), reinterpret_cast<sockaddr *>(&local_), &length);
  if (state == State::Connected) {
    length = sizeof peer_;
    ::getpeername(fd_.get(), reinterpret_cast<sockaddr *>(&peer_), &length);
  }
  readNotifier_ =
      new DirectNotifier(fd_.get(), QSocketNotifier::Read, anchor_.get(), [this] { OnReadable(); });
  readNotifier_->setEnabled(state == State::Connected);
  // Writable means "connect finished" while connecting and gives the first
  // write notification of an established connection.
  writeNotifier_ =
      new DirectNotifier(fd_.get(), QSocketNotifier::Write, anchor_.get(), [this] { OnWritable(); });
}

void TPosixWinSocket::OnReadable() {
  const auto keep = KeepAlive();
  if (state_ != State::Connected)
    return;
  if (readDepth_ > 0) {
    // A handler up the stack runs a nested event loop. Its reader drains
    // the socket when it is done; until then the (level-triggered) notifier
    // would only spin.
    readNotifier_->setEnabled(false);
    return;
  }
  const unsigned generation = generation_;
  readSeen_ = peerClosed_ = false;

  std::exception_ptr failure;
  ++readDepth_;
  try {
    Event(this, seRead);
  } catch (...) {
    failure = std::current_exception();
  }
  --readDepth_;

  // After a failure the notifier stays off until the report's message box has
  // closed, so a peer cannot stack one box on another.
  if (generation == generation_ && state_ == State::Connected) {
    if (!failure)
      readNotifier_->setEnabled(true);
    if (!failure && peerClosed_)
      Guarded([this] { Close(); }); // every byte before the end was delivered
    else if (!failure && !readSeen_)
      CheckEndOfStream(); // readable, yet the reader found nothing
  }
  if (failure) {
    // Reported only now that the reader has unwound; whatever it left
    // buffered is read again from the event loop.
    Guarded([&] { std::rethrow_exception(failure); });
    if (generation == generation_ && state_ == State::Connected) {
      readNotifier_->setEnabled(true);
      PostRead();
    }
  }
}

void TPosixWinSocket::CheckEndOfStream() {
  char probe = 0;
  ssize_t peeked = 0;
  do
    peeked = ::recv(fd_.get(), &probe, 1, MSG_PEEK | MSG_DONTWAIT);
  while (peeked < 0 && errno == EINTR);
  if (peeked == 0) { // the peer closed, after every byte before it was read
    Guarded([this] { Close(); });
  } else if (peeked < 0 && !WouldBlock(errno)) {
    const int code = errno;
    Guarded([&] { Fail(eeReceive, code, "recv"); });
  }
}

void TPosixWinSocket::OnWritable() {
  const auto keep = KeepAlive();
  if (state_ == State::Connecting) {
    CompleteConnect();
    return;
  }
  if (!writeNotifier_)
    return;
  writeNotifier_->setEnabled(false);
  Guarded([this] { Event(this, seWrite); });
}

void TPosixWinSocket::CompleteConnect() {
  int code = 0;
  socklen_t length = sizeof code;
  if (::getsockopt(fd_.get(), SOL_SOCKET, SO_ERROR, &code, &length) != 0)
    code = errno;
  if (code != 0) {
    Guarded([&] { Fail(eeConnect, code, "connect"); });
    return;
  }
  state_ = State::Connected;
  length = sizeof peer_;
  ::getpeername(fd_.get(), reinterpret_cast<sockaddr *>(&peer_), &length);
  readNotifier_->setEnabled(true);
  // The write notifier stays armed: the first write notification follows.
  Guarded([this] { Event(this, seConnect); });
}

void TPosixWinSocket::Teardown() {
  Retire(readNotifier_);
  Retire(writeNotifier_);
  fd_.reset();
  if (state_ != State::Closed)
    ++generation_;
  state_ = State::Closed;
}

void TPosixWinSocket::Fail(TErrorEvent ErrorEvent, int code, const char *api) {
  const bool wasConnected = state_ == State::Connected;
  Teardown();
  if (wasConnected)
    PostDisconnect(); // never from inside the call that failed
  const int left = Error(ErrorEvent, code);
  if (left != 0)
    throw ESocketError(SocketErrorText(left, api), left);
}

void TPosixWinSocket::DeliverDisconnect() {
  disconnectPending_ = false;
  Released();
  Event(this, seDisconnect);
}

void TPosixWinSocket::ArmWrite() {
  if (writeNotifier_ && !writeNotifier_->isEnabled())
    writeNotifier_->setEnabled(true);
}

void TPosixWinSocket::PostRead() {
  const unsigned generation = generation_;
  QMetaObject::invokeMethod(
      anchor_.get(),
      [this, generation] {
        if (generation == generation_ && state_ == State::Connected)
          OnReadable();
      },
      Qt::QueuedConnection);
}

void TPosixWinSocket::PostDisconnect() {
  disconnectPending_ = true;
  const unsigned generation = generation_;
  QMetaObject::invokeMethod(
      anchor_.get(),
      [this, generation] {
        const auto keep = KeepAlive();
        if (generation == generation_ && disconnectPending_)
          Guarded([this] { DeliverDisconnect(); });
      },
      Qt::QueuedConnection);
}

} // namespace platform
