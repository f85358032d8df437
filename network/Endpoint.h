#pragma once
// One end of a TCP connection as the sockets report it, and the one place
// where two reports are compared.
#include <string>

namespace network {

struct Endpoint {
  std::string address; // numeric IPv4 text; empty when unknown
  int port = 0;        // 0 when unknown
};

// Whether both name the same end, which must be known.
inline bool SameEndpoint(const Endpoint &a, const Endpoint &b) {
  return a.port != 0 && !a.address.empty() && a.port == b.port && a.address == b.address;
}

} // namespace network
