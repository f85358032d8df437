#pragma once
// The one exception type of our platform layer and of the packet-socket library.
// Messages are UTF-8 and are shown to the user as they stand.
#include <stdexcept>
#include <string>

namespace platform {

class Exception : public std::runtime_error {
public:
  explicit Exception(const std::string &message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

} // namespace platform
