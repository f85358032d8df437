#pragma once
// IPv4 address and port look-up for the sockets: a host name wins over a
// numeric address, a service name over a port number. The peers speak IPv4.
#include <netinet/in.h>
#include <string>

namespace platform {

// code 0: found. Otherwise an errno value, or a (negative) getaddrinfo code,
// with the call that failed; SocketErrorText turns either into words.
struct ResolveResult {
  int code = 0;
  const char *api = "";
};

ResolveResult ResolvePort(const std::string &service, int port, in_port_t &out);
ResolveResult ResolveAddress(const std::string &host, const std::string &address, in_addr &out);

// Dotted text of an address, and its host name, which falls back to the
// dotted text when the address has no name.
std::string AddressText(const sockaddr_in &address);
std::string HostNameOf(const sockaddr_in &address);

} // namespace platform
