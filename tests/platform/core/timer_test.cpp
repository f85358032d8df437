// Timer switching: on starts the interval afresh, on again changes nothing,
// off stops it; the handler runs on the event loop.
#include <gtest/gtest.h>

#include "platform/core/Timer.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/Waits.h"

TEST(TimerTest, SwitchingOnARunningTimerKeepsItsInterval) {
  int fired = 0;
  platform::TTimer timer(60000, true, [&] { ++fired; });
  ASSERT_TRUE(testsupport::WaitFor([&] { return timer.RemainingMs() < 59950; }))
      << "part of the interval ran";
  const int before = timer.RemainingMs();
  timer.SetEnabled(true);
  EXPECT_LE(timer.RemainingMs(), before) << "a running timer was restarted";

  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(timer.RemainingMs(), -1);
  timer.SetEnabled(true);
  EXPECT_GE(timer.RemainingMs(), before) << "a stopped timer switched on must start afresh";
  EXPECT_EQ(fired, 0);
}

TEST(TimerTest, HandlerRunsAndAThrowingHandlerDoesNotEscape) {
  int fired = 0;
  platform::TTimer timer(10, true, [&] {
    ++fired;
    throw std::runtime_error("boom");
  });
  testsupport::BoxRecorder boxes; // the exception is reported through a message box, answered at once
  boxes.fallback = platform::IDOK;
  EXPECT_TRUE(testsupport::WaitFor([&] { return fired >= 2; }));
}
