#include "network/MatchTexts.h"

#include <algorithm>
#include <cstring>

namespace network {

std::string PacketText(const void *data, int size) {
  if (data == nullptr || size <= 0)
    return {};
  const auto *bytes = static_cast<const char *>(data);
  const std::size_t limit = std::min(static_cast<std::size_t>(size), kMaxTextLength);
  const void *nul = std::memchr(bytes, '\0', limit);
  const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char *>(nul) - bytes) : limit;
  return std::string(bytes, length);
}

std::optional<int> FieldNumber(std::string_view text) {
  if (text.size() == 1 && text[0] >= '1' && text[0] <= '9')
    return text[0] - '0';
  if (text == "10")
    return 10;
  return std::nullopt;
}

std::optional<int> PortNumber(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos)
    return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  // Five digits at most (leading zeros counted) keeps the sum far from overflow.
  if (text.empty() || text.size() > 5)
    return std::nullopt;
  int value = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9')
      return std::nullopt;
    value = value * 10 + (ch - '0');
  }
  if (value > 65535)
    return std::nullopt;
  return value;
}

} // namespace network
