#include "packetsockets/IntegerText.h"

#include <charconv>

#include "platform/core/Exception.h"

namespace Zev {

int StrToInt(const std::string &text) {
  const auto first = text.find_first_not_of(" \t");
  const auto last = text.find_last_not_of(" \t");
  if (first != std::string::npos) {
    const char *begin = text.data() + first;
    const char *end = text.data() + last + 1;
    if (*begin == '+' && end - begin > 1 && begin[1] != '-')
      ++begin;
    int value = 0;
    if (auto [ptr, ec] = std::from_chars(begin, end, value); ec == std::errc() && ptr == end)
      return value;
  }
  throw platform::Exception("'" + text + "' は有効な整数値ではありません.");
}

} // namespace Zev
