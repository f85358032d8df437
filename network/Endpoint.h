#pragma once
// One end of a TCP connection as the sockets report it, and the one place
// where two reports are compared.
#include <string>

namespace network {

struct Endpoint {
  std::string address; // numeric text; empty when unknown
  int port = 0;        // 0 when unknown
};

// Whether both name the same known end. An IPv4 address may be reported in
// its IPv6-mapped form ("::ffff:127.0.0.1") on one side and plain on the other.
bool SameEndpoint(const Endpoint &a, const Endpoint &b);

} // namespace network
