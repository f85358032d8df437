#pragma once
// What the network match needs of the main window's two packet-socket
// components: the client that every side plays through, and the server that
// relays on the hosting side. The window implements it over the real
// components; tests implement it in memory.
#include <functional>
#include <string>

#include "network/Endpoint.h"

namespace network {

// One connection the server accepted, told apart by identity only.
using ConnectionId = const void *;

class MatchSockets {
public:
  virtual ~MatchSockets() = default;

  // The client. Opening raises platform::Exception when the attempt cannot
  // even start (no address, failed look-up); a refusal arrives later, as a
  // lost connection. An empty host or a port of 0 makes the client ask for
  // the server in its own dialog first.
  virtual void SetClientHost(const std::string &host) = 0;
  virtual void SetClientPort(int port) = 0;
  virtual void SetClientActive(bool active) = 0;
  virtual bool ClientConnected() const = 0;
  // Where the client connects from, known from the moment it starts
  // connecting; unknown (empty) while it is closed.
  virtual Endpoint ClientLocalEnd() const = 0;
  virtual void ClientSend(const void *data, int size) = 0;
  // Hands the client's queued bytes to the kernel, waiting at most timeoutMs
  // for it to accept them (the program is about to end).
  virtual void FlushClient(int timeoutMs) = 0;
  // Serves the sockets (no user input) until done() holds or timeoutMs has
  // passed: the program is about to end and a host's relay must still pass on
  // what was sent.
  virtual void ServeUntil(const std::function<bool()> &done, int timeoutMs) = 0;

  // The server. Listening raises platform::Exception when the port cannot be had.
  virtual void SetServerPort(int port) = 0;
  virtual void SetServerActive(bool active) = 0;
  // Open connections, the newest accepted one included.
  virtual int ServerConnectionCount() const = 0;
  virtual std::string RemoteHost(ConnectionId connection) const = 0;
  // Where the connection comes from.
  virtual Endpoint RemoteEnd(ConnectionId connection) const = 0;
  virtual void CloseConnection(ConnectionId connection) = 0;
  // One copy to every open connection in accept order. A connection whose
  // unsent bytes pile up and stay (a peer that does not read), or pass a
  // ceiling, is closed, in time even when nothing more is sent.
  virtual void ServerSendToAll(const void *data, int size) = 0;
};

} // namespace network
