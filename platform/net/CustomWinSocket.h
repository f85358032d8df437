#pragma once
// The interface every connection socket offers to the code above it: a
// non-blocking byte pipe plus one notification handler and one error
// handler. The real sockets implement it over POSIX; tests and the fuzzer
// implement it in memory.
#include <string>

#include "platform/net/SocketTypes.h"

namespace platform {

class TCustomWinSocket : public TObject {
public:
  // Bytes that can be read now; 0 when not connected.
  virtual int ReceiveLength() = 0;
  // Bytes read, at most Count; 0 when not connected; -1 when it would block.
  // Any other failure goes to the error handler, closes the connection and
  // raises ESocketError unless the handler cleared the code.
  virtual int ReceiveBuf(void *Buf, int Count) = 0;
  // Bytes handed to the kernel, possibly fewer than Count; 0 when not
  // connected; -1 when it would block. Failures as for ReceiveBuf. Never
  // delivers a notification.
  virtual int SendBuf(const void *Buf, int Count) = 0;
  // Closes the connection; the disconnect notification has run when it returns.
  virtual void Close() = 0;
  virtual bool Connected() const = 0;

  virtual std::string RemoteHost() const { return {}; }
  virtual std::string RemoteAddress() const { return {}; }
  virtual int RemotePort() const { return 0; }
  // A connecting socket knows its local end already.
  virtual std::string LocalAddress() const { return {}; }
  virtual int LocalPort() const { return 0; }

  // The one notification handler: whoever hooks it keeps the one it found
  // and calls it on.
  const TSocketEventEvent &OnSocketEvent() const { return FOnSocketEvent; }
  void SetOnSocketEvent(TSocketEventEvent handler) { FOnSocketEvent = std::move(handler); }
  const TSocketErrorEvent &OnErrorEvent() const { return FOnErrorEvent; }
  void SetOnErrorEvent(TSocketErrorEvent handler) { FOnErrorEvent = std::move(handler); }

protected:
  // Delivers a notification with this socket as Sender; Socket is this one,
  // or the connection a listener accepted.
  void Event(TCustomWinSocket *Socket, TSocketEvent SocketEvent);
  // Offers a failure to the error handler; returns the code it left.
  int Error(TErrorEvent ErrorEvent, int ErrorCode);

private:
  TSocketEventEvent FOnSocketEvent;
  TSocketErrorEvent FOnErrorEvent;
};

} // namespace platform
