// Timer switching: on starts the interval afresh, on again changes nothing,
// off stops it; the handler runs on the event loop.
#include <QTest>
#include <gtest/gtest.h>

#include "platform/core/MessageBox.h"
#include "platform/core/Timer.h"

TEST(TimerTest, SwitchingOnARunningTimerKeepsItsInterval) {
  int fired = 0;
  platform::TTimer timer(300, true, [&] { ++fired; });
  QTest::qWait(60);
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
  // The exception is reported through the message box; answer it at once.
  auto previous = platform::SetMessageBoxResponder([](const platform::MessageBoxRequest &) { return 1; });
  EXPECT_TRUE(QTest::qWaitFor([&] { return fired >= 2; }, 5000));
  platform::SetMessageBoxResponder(previous);
}
