#pragma once
// Helpers for socket tests on 127.0.0.1: waits that run the event loop, raw
// peers the components cannot be made to act as, and packets as they travel.
#include <QCoreApplication>
#include <QThread>

#include <functional>

#include "tests/support/Frames.h"
#include "tests/support/FreePort.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/Waits.h"

namespace loopback {

using frames::Framed;

// The shared wait, under the name the socket tests use.
inline ::testing::AssertionResult PumpUntil(const std::function<bool()> &done,
                                            int timeoutMs = testsupport::kWaitMs) {
  return testsupport::WaitFor(done, timeoutMs);
}

// A few passes of the event loop, for things that must not happen: whatever
// is already pending gets its turn.
inline void PumpPasses(int passes = 20) {
  for (int i = 0; i < passes; ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::usleep(500);
  }
}

inline sockaddr_in Loopback(int port = 0) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  return address;
}

// A blocking raw listener on 127.0.0.1, for peers that reset or do not read.
struct RawListener {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  int port = 0;

  RawListener() {
    sockaddr_in address = Loopback();
    ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::listen(fd, 1);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    port = ntohs(address.sin_port);
  }
  ~RawListener() { ::close(fd); }
  RawListener(const RawListener &) = delete;
  RawListener &operator=(const RawListener &) = delete;

  int Accept() const { return ::accept(fd, nullptr, nullptr); }
};

// A blocking raw client, for feeding bytes the components would never send.
inline int RawConnect(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = Loopback(port);
  if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

} // namespace loopback
