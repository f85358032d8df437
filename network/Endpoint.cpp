#include "network/Endpoint.h"

#include <string_view>

namespace network {

namespace {
std::string_view Plain(std::string_view address) {
  constexpr std::string_view kMapped = "::ffff:";
  if (address.size() > kMapped.size() && address.substr(0, kMapped.size()) == kMapped &&
      address.find('.') != std::string_view::npos)
    address.remove_prefix(kMapped.size());
  return address;
}
} // namespace

bool SameEndpoint(const Endpoint &a, const Endpoint &b) {
  return a.port != 0 && !a.address.empty() && a.port == b.port && Plain(a.address) == Plain(b.address);
}

} // namespace network
