#include "platform/core/TerminationSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "platform/core/EventGuard.h"

namespace platform {

namespace {
int signalPipe[2] = {-1, -1}; // written by the signal handler, read by the event loop

void OnSignal(int) {
  const char byte = 1;
  const int saved = errno; // the interrupted code may be about to read it
  [[maybe_unused]] auto written = write(signalPipe[1], &byte, 1);
  errno = saved;
}
} // namespace

void HandleTerminationSignals(QObject *owner, std::function<void()> handler) {
  if (signalPipe[0] < 0) {
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
      return;
  }
  auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, owner);
  QObject::connect(notifier, &QSocketNotifier::activated, owner, [handler = std::move(handler)] {
    char buffer[16];
    while (read(signalPipe[0], buffer, sizeof buffer) > 0) {
    }
    Guarded(handler);
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

} // namespace platform
