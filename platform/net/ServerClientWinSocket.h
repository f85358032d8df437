#pragma once
// One accepted connection of a listening socket. Its notifications go to the
// listener's per-connection events; it leaves the listener's connection list
// when it closes and is freed from the event loop, never inside one of its
// own callbacks.
#include <memory>

#include "platform/net/PosixWinSocket.h"

namespace platform {

class TServerWinSocket;

class TServerClientWinSocket : public TPosixWinSocket,
                               public std::enable_shared_from_this<TServerClientWinSocket> {
public:
  // Socket is the descriptor just accepted, which the listener hands over
  // once the object is complete; the connection takes the listener's
  // per-connection event and error routines.
  TServerClientWinSocket(int Socket, TServerWinSocket *ServerWinSocket);
  ~TServerClientWinSocket() override;

  // Null once the connection has left the listener.
  TServerWinSocket *ServerWinSocket() const { return FServerWinSocket; }

protected:
  void Released() override;
  std::shared_ptr<void> KeepAlive() override { return weak_from_this().lock(); }

private:
  friend class TServerWinSocket;
  void Start(UniqueFd fd) { StartConnected(std::move(fd)); }
  void Connect() { Event(this, seConnect); }
  // The listener is going away: closes silently and forgets it.
  void Detach();

  TServerWinSocket *FServerWinSocket;
};

} // namespace platform
