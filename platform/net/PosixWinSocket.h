#pragma once
// One TCP connection over a non-blocking POSIX socket, driven by the event
// loop through socket notifiers. Connect, read, write and disconnect
// notifications arrive from the event loop on the user-interface thread;
// SendBuf and ReceiveBuf never deliver one. A level-triggered notifier left
// on would spin, so the write notifier is armed only after a short or
// would-block send (and once when the connection comes up) and disarmed after
// one delivery. A read notification is never nested in another: a handler's
// nested event loop finds the read notifier off until the outer one is done.
#include <memory>
#include <netinet/in.h>

#include "platform/net/CustomWinSocket.h"
#include "platform/net/UniqueFd.h"

class QObject;
class QSocketNotifier;

namespace platform {

class TPosixWinSocket : public TCustomWinSocket {
public:
  ~TPosixWinSocket() override;

  int ReceiveLength() override;
  int ReceiveBuf(void *Buf, int Count) override;
  int SendBuf(const void *Buf, int Count) override;
  void Close() override;
  bool Connected() const override { return state_ == State::Connected; }

  std::string RemoteHost() const override;
  std::string RemoteAddress() const override;
  int RemotePort() const override;
  std::string LocalAddress() const override;
  int LocalPort() const override;
  int SocketHandle() const { return fd_.get(); }
  // Bytes handed to the kernel that the peer has not taken yet: sent and not
  // yet acknowledged, or not sent at all. On loopback it shrinks as the peer's
  // receive buffer drains. 0 when not connected.
  int UntakenBytes() const;
  // Blocks until the kernel accepts more data, at most timeoutMs; false on
  // time-out or when not connected. For a last flush before the program ends.
  bool WaitWritable(int timeoutMs) const;

protected:
  enum class State { Closed, Connecting, Connected };

  TPosixWinSocket();
  State SocketState() const { return state_; }

  // Takes a socket whose non-blocking connect is under way; the outcome comes
  // from the event loop: seConnect, or the error handler and a socket error.
  void StartConnecting(UniqueFd fd);
  // Takes an established connection (an accepted one). Delivers nothing yet.
  void StartConnected(UniqueFd fd);
  // Closes without any notification (destruction, an abandoned connection).
  void Abandon();

  // Called once the connection is gone, just before its disconnect notification.
  virtual void Released() {}
  // Keeps the socket alive while one of its own callbacks runs (sockets freed
  // from the event loop hand out a shared owner).
  virtual std::shared_ptr<void> KeepAlive() { return {}; }

private:
  void Watch(UniqueFd fd, State state);
  void OnReadable();
  void CheckEndOfStream();
  void OnWritable();
  void CompleteConnect();
  void Teardown();
  void Fail(TErrorEvent ErrorEvent, int code, const char *api);
  void DeliverDisconnect();
  void ArmWrite();
  void PostRead();
  void PostDisconnect();

  UniqueFd fd_;
  State state_ = State::Closed;
  unsigned generation_ = 0; // changes whenever a connection starts or ends
  int readDepth_ = 0;       // read notifications on the stack
  bool readSeen_ = false;   // the current read notification's reader got bytes or the end
  bool peerClosed_ = false; // ... and the end was among them
  bool disconnectPending_ = false;
  sockaddr_in peer_{};
  sockaddr_in local_{};
  std::unique_ptr<QObject> anchor_;          // parent of the notifiers, context of posted calls
  QSocketNotifier *readNotifier_ = nullptr;  // child of anchor_
  QSocketNotifier *writeNotifier_ = nullptr; // child of anchor_
};

} // namespace platform
