#include "platform/core/Timer.h"

#include "platform/core/EventGuard.h"

namespace platform {

TTimer::TTimer(int intervalMs, bool enabled, std::function<void()> onTimer, QObject *parent)
    : QObject(parent), onTimer_(std::move(onTimer)) {
  // Precise: a 100 ms countdown must keep real time (coarse timers drift by up to 5%).
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(intervalMs);
  connect(&timer_, &QTimer::timeout, this, [this] {
    if (onTimer_)
      Guarded(onTimer_);
  });
  SetEnabled(enabled);
}

void TTimer::SetEnabled(bool enabled) {
  if (!enabled)
    timer_.stop();
  else if (!timer_.isActive())
    timer_.start();
}

} // namespace platform
