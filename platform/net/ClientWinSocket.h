#pragma once
// The client end of a connection: looks the server up (IPv4) and connects
// without blocking; the outcome is reported from the event loop.
#include <string>

#include "platform/net/PosixWinSocket.h"

namespace platform {

class TClientWinSocket final : public TPosixWinSocket {
public:
  // Uses Host when it is not empty, else Address; Service when it is not
  // empty, else Port. Delivers seLookup and seConnecting before it returns;
  // seConnect, or the error handler and a socket error, follow from the event
  // loop. Raises ESocketError when neither host nor address is given, when
  // the look-up fails, or when the socket is already open or connecting.
  void Open(const std::string &Host, const std::string &Address, const std::string &Service, int Port);

  bool Connecting() const { return SocketState() == State::Connecting; }
  // Connecting or connected.
  bool HandleAllocated() const { return SocketState() != State::Closed; }
};

} // namespace platform
