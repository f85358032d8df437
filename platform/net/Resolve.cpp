#include "platform/net/Resolve.h"

#include <arpa/inet.h>
#include <cerrno>
#include <charconv>
#include <memory>
#include <netdb.h>
#include <sys/socket.h>

namespace platform {

namespace {
// First IPv4 result of getaddrinfo for a node or a service.
int LookUp(const char *node, const char *service, sockaddr_in &out) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo *found = nullptr;
  const int rc = ::getaddrinfo(node, service, &hints, &found);
  if (rc != 0)
    return rc;
  const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> owner(found, &::freeaddrinfo);
  out = *reinterpret_cast<const sockaddr_in *>(found->ai_addr);
  return 0;
}
} // namespace

ResolveResult ResolvePort(const std::string &service, int port, in_port_t &out) {
  if (!service.empty()) {
    const char *end = service.data() + service.size();
    if (auto [ptr, ec] = std::from_chars(service.data(), end, port); ec != std::errc() || ptr != end) {
      sockaddr_in found{};
      if (const int rc = LookUp(nullptr, service.c_str(), found); rc != 0)
        return {rc, "getservbyname"};
      out = found.sin_port;
      return {};
    }
  }
  if (port < 0 || port > 65535)
    return {EINVAL, "htons"};
  out = htons(static_cast<uint16_t>(port));
  return {};
}

ResolveResult ResolveAddress(const std::string &host, const std::string &address, in_addr &out) {
  const std::string &name = host.empty() ? address : host;
  if (::inet_pton(AF_INET, name.c_str(), &out) == 1)
    return {};
  sockaddr_in found{};
  if (const int rc = LookUp(name.c_str(), nullptr, found); rc != 0)
    return {rc, "gethostbyname"};
  out = found.sin_addr;
  return {};
}

std::string AddressText(const sockaddr_in &address) {
  char text[INET_ADDRSTRLEN] = {};
  return ::inet_ntop(AF_INET, &address.sin_addr, text, sizeof text) ? text : "";
}

std::string HostNameOf(const sockaddr_in &address) {
  char name[NI_MAXHOST] = {};
  if (::getnameinfo(reinterpret_cast<const sockaddr *>(&address), sizeof address, name, sizeof name, nullptr,
                    0, 0) != 0)
    return AddressText(address);
  return name;
}

} // namespace platform
