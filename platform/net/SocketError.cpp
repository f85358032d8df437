#include "platform/net/SocketError.h"

#include <netdb.h>

#include <cstring>

namespace platform {

std::string SocketErrorText(int errorCode, const std::string &api) {
  // getaddrinfo reports its own (negative) codes; everything else is errno.
  const char *description = errorCode < 0 ? gai_strerror(errorCode) : std::strerror(errorCode);
  return "ソケットエラー " + std::to_string(errorCode) + ": " + description + " (" + api + ")";
}

} // namespace platform
