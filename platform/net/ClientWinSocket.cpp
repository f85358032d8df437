#include "platform/net/ClientWinSocket.h"

#include <cerrno>
#include <sys/socket.h>

#include "platform/net/Resolve.h"

namespace platform {

namespace {
const char *const AlreadyOpenText = "ソケットは既に開いています.";
}

void TClientWinSocket::Open(const std::string &Host, const std::string &Address, const std::string &Service,
                            int Port) {
  if (HandleAllocated())
    throw ESocketError(AlreadyOpenText);
  if (Host.empty() && Address.empty())
    throw ESocketError(NoAddressText);

  Event(this, seLookup);
  sockaddr_in target{};
  target.sin_family = AF_INET;
  ResolveResult found = ResolveAddress(Host, Address, target.sin_addr);
  if (found.code == 0)
    found = ResolvePort(Service, Port, target.sin_port);
  if (found.code != 0) {
    if (const int left = Error(eeLookup, found.code); left != 0)
      throw ESocketError(SocketErrorText(left, found.api), left);
    return;
  }

  UniqueFd fd(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (!fd) {
    const int code = errno;
    throw ESocketError(SocketErrorText(code, "socket"), code);
  }
  Event(this, seConnecting);
  if (HandleAllocated()) // a handler opened it meanwhile
    throw ESocketError(AlreadyOpenText);
  if (::connect(fd.get(), reinterpret_cast<const sockaddr *>(&target), sizeof target) != 0 &&
      errno != EINPROGRESS && errno != EINTR) { // EINTR: the connect goes on
    if (const int left = Error(eeConnect, errno); left != 0)
      throw ESocketError(SocketErrorText(left, "connect"), left);
    return;
  }
  // Even an immediate success is reported from the event loop.
  StartConnecting(std::move(fd));
}

} // namespace platform
