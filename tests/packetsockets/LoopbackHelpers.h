#pragma once
// Helpers for socket tests on 127.0.0.1: bounded event-loop pumping, message
// box capture and a free port.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/core/MessageBox.h"

namespace loopback {

// Runs the event loop until done() holds; gives up after the time-out (a bound
// against hanging, never an assertion on time).
inline bool PumpUntil(const std::function<bool()> &done, int timeoutMs = 10000) {
  QElapsedTimer elapsed;
  elapsed.start();
  while (!done()) {
    if (elapsed.elapsed() > timeoutMs)
      return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::usleep(200);
  }
  return true;
}

// A few passes of the event loop, for things that should not happen.
inline void PumpPasses(int passes = 20) {
  for (int i = 0; i < passes; ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::usleep(500);
  }
}

// Collects the texts of message boxes (exceptions reported from the event loop).
class MessageBoxCapture {
public:
  MessageBoxCapture()
      : FPrevious(platform::SetMessageBoxResponder([this](const platform::MessageBoxRequest &request) {
          texts.push_back(request.text);
          return static_cast<int>(platform::IDOK);
        })) {}
  ~MessageBoxCapture() { platform::SetMessageBoxResponder(FPrevious); }
  MessageBoxCapture(const MessageBoxCapture &) = delete;
  MessageBoxCapture &operator=(const MessageBoxCapture &) = delete;

  std::vector<std::string> texts;

private:
  platform::MessageBoxResponder FPrevious;
};

// One packet as it travels: the length word (little-endian, counting itself)
// and the payload.
inline std::string Framed(const std::string &payload) {
  const auto length = static_cast<std::uint32_t>(payload.size() + 4);
  std::string out;
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<char>(length >> (8 * i) & 0xFF));
  return out + payload;
}

// A port nothing listens on right now.
inline int UnusedPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
  ::close(fd);
  return ntohs(address.sin_port);
}

// A blocking raw listener on 127.0.0.1, for peers the components cannot be
// made to act as (one that resets, one that does not read).
struct RawListener {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  int port = 0;

  RawListener() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
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
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

} // namespace loopback
