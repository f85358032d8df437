#pragma once
// Waiting, with the event loop running, for the state a test's next step
// needs. The bound only stops a broken test from hanging: it is generous, so a
// busy machine makes a test slower, never red. The caller's assertion shows
// the condition that never held; add what it stands for where that is unclear.
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace testsupport {

constexpr int kWaitMs = 30000;

inline ::testing::AssertionResult WaitFor(const std::function<bool()> &done, int timeoutMs = kWaitMs) {
  if (QTest::qWaitFor(done, timeoutMs))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "still not so after waiting " << timeoutMs / 1000.0 << " s";
}

// For checks that something does not happen: returns once a timer of this
// interval, started now, has fired `times` times. The program's own timers of
// that interval, started earlier, have then each run at least as often,
// however slowly the machine turns the event loop.
inline ::testing::AssertionResult TimerRuns(int intervalMs, int times) {
  QTimer probe;
  probe.setTimerType(Qt::PreciseTimer);
  int fired = 0;
  QObject::connect(&probe, &QTimer::timeout, [&fired] { ++fired; });
  probe.start(intervalMs);
  return WaitFor([&fired, times] { return fired >= times; }, intervalMs * times + kWaitMs)
         << " (" << fired << " of " << times << " runs of a " << intervalMs << " ms timer)";
}

} // namespace testsupport
