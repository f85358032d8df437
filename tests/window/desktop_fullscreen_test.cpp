// The program itself on a real X server (Xvfb), with a window manager
// (openbox) and without one, driven by xdotool as a user drives it: the splash,
// full screen and back with F2 again and again, and Escape's question.
#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

#include "tests/support/TestPaths.h"

namespace {

struct Geometry {
  int x = -1, y = -1, width = 0, height = 0;
  bool operator==(const Geometry &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Geometry &g) {
  return out << g.width << "x" << g.height << " at " << g.x << "," << g.y;
}

// Polls until `done` holds or the time is up; true when it held.
bool WaitFor(const std::function<bool()> &done, int milliseconds = 8000) {
  const QDeadlineTimer deadline(milliseconds);
  while (!done()) {
    if (deadline.hasExpired())
      return false;
    QThread::msleep(50);
  }
  return true;
}

class DesktopTest : public ::testing::TestWithParam<bool> {
protected:
  void SetUp() override {
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    if (xvfb.isEmpty())
      GTEST_SKIP() << "no Xvfb";
    // Xvfb picks a free display number and writes it on its standard output.
    server_.start(xvfb, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    server_.waitForStarted(5000);
    const QDeadlineTimer deadline(10000);
    while (server_.state() == QProcess::Running && !server_.canReadLine() && !deadline.hasExpired())
      server_.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    if (!server_.canReadLine())
      GTEST_SKIP() << "Xvfb does not start";
    display_ = ":" + QString::fromLatin1(server_.readLine()).trimmed();
    env_ = QProcessEnvironment::systemEnvironment();
    env_.insert("DISPLAY", display_);
    env_.remove("WAYLAND_DISPLAY");

    if (GetParam()) {
      manager_.setProcessEnvironment(env_);
      manager_.start("openbox", {});
      ASSERT_TRUE(manager_.waitForStarted(5000)) << "openbox (tools/install-deps.sh installs it)";
      ASSERT_TRUE(WaitFor([&] {
        return Output("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
      })) << "openbox does not announce itself";
    }

    QProcessEnvironment game = env_;
    game.insert("QT_QPA_PLATFORM", "xcb");
    program_.setProcessEnvironment(game);
    program_.setWorkingDirectory(testpaths::GameDir());
    program_.setProcessChannelMode(QProcess::ForwardedChannels);
    program_.start(testpaths::GameDir() + "/MarvokZT", {});
    ASSERT_TRUE(program_.waitForStarted(5000));
  }

  void TearDown() override {
    // SIGTERM: the program leaves without asking.
    for (QProcess *process : {&program_, &manager_, &server_})
      if (process->state() != QProcess::NotRunning) {
        process->terminate();
        if (!process->waitForFinished(5000)) {
          process->kill();
          process->waitForFinished(2000);
        }
      }
  }

  QString Output(const QString &tool, const QStringList &arguments) {
    QProcess process;
    process.setProcessEnvironment(env_);
    process.start(tool, arguments);
    if (!process.waitForFinished(5000)) {
      process.kill();
      process.waitForFinished(1000);
      return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
  }
  // The first shown window whose name matches, or empty.
  QString FindWindow(const QString &namePattern) {
    return Output("xdotool", {"search", "--onlyvisible", "--name", namePattern})
        .section('\n', 0, 0)
        .trimmed();
  }
  // The window's own area (without the manager's frame) on the screen.
  Geometry GeometryOf(const QString &window) {
    const QString info = Output("xwininfo", {"-id", window});
    auto value = [&](const char *label) {
      const auto match = QRegularExpression(QString(label) + ":\\s*(-?\\d+)").match(info);
      return match.hasMatch() ? match.captured(1).toInt() : -1;
    };
    return {value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"), value("Height")};
  }
  // The border the manager draws round the window: left, right, top, bottom.
  std::string FrameOf(const QString &window) {
    return Output("xprop", {"-id", window, "_NET_FRAME_EXTENTS"}).section('=', 1).trimmed().toStdString();
  }
  void Key(const char *key) { Output("xdotool", {"key", key}); }

  QProcess server_, manager_, program_;
  QString display_;
  QProcessEnvironment env_;
};

// Full screen covers the screen on every F2 from the first, and F2 again
// brings the same bordered 640 by 480 window with its menu back.
TEST_P(DesktopTest, FullScreenAndBackEveryTime) {
  const bool manager = GetParam();
  QString splash;
  ASSERT_TRUE(WaitFor([&] { return !(splash = FindWindow("^N_FrmSub1$")).isEmpty(); }, 20000));
  EXPECT_EQ(GeometryOf(splash), (Geometry{306, 269, 412, 230})) << "the splash is centred";

  QString main;
  ASSERT_TRUE(WaitFor([&] { return !(main = FindWindow("^MarvokZT Ver")).isEmpty(); }, 20000));
  ASSERT_TRUE(WaitFor([&] { return Output("xdotool", {"getwindowfocus"}).trimmed() == main; }))
      << "the main window has the keyboard";
  Geometry windowed;
  ASSERT_TRUE(WaitFor([&] { return (windowed = GeometryOf(main)).width == 640; }));
  EXPECT_GT(windowed.height, 480) << "the client area and the menu bar above it";
  EXPECT_LT(windowed.height, 540);
  if (manager) {
    EXPECT_NE(FrameOf(main), "0, 0, 0, 0") << "a border";
  } else {
    EXPECT_EQ(windowed.x, (1024 - 640) / 2) << "centred";
  }

  const Geometry screen{0, 0, 1024, 768};
  for (int round = 1; round <= 3; ++round) {
    SCOPED_TRACE(round);
    Key("F2");
    EXPECT_TRUE(WaitFor([&] { return GeometryOf(main) == screen; })) << GeometryOf(main);
    if (manager) {
      EXPECT_TRUE(WaitFor([&] { return FrameOf(main) == "0, 0, 0, 0"; })) << FrameOf(main);
    }
    Key("F2");
    EXPECT_TRUE(WaitFor([&] { return GeometryOf(main) == windowed; })) << GeometryOf(main);
    if (manager) {
      EXPECT_NE(FrameOf(main), "0, 0, 0, 0");
    }
  }

  // Escape asks after the round trips, after the network dialog (F4, then its
  // cancel button by Alt+C) and after the system window (Alt+S, then its close
  // button by Alt+X) have come and gone; Escape on the question answers No.
  auto escapeAsks = [&] {
    EXPECT_TRUE(WaitFor([&] { return Output("xdotool", {"getwindowfocus"}).trimmed() == main; }))
        << "the main window has the keyboard again";
    Key("Escape");
    EXPECT_TRUE(WaitFor([&] { return !FindWindow("^確認$").isEmpty(); })) << "the question";
    Key("Escape");
    EXPECT_TRUE(WaitFor([&] { return FindWindow("^確認$").isEmpty(); }));
  };
  escapeAsks();
  Key("F4");
  ASSERT_TRUE(WaitFor([&] { return !FindWindow("^ネットワーク設定$").isEmpty(); }));
  Key("alt+c");
  EXPECT_TRUE(WaitFor([&] { return FindWindow("^ネットワーク設定$").isEmpty(); }));
  escapeAsks();
  Key("alt+s");
  QString system;
  ASSERT_TRUE(WaitFor([&] { return !(system = FindWindow("^VelmorasystemC")).isEmpty(); }));
  // Its sound page's "..." file dialog, left with Escape, gives the keyboard back to it.
  ASSERT_TRUE(WaitFor([&] { return Output("xdotool", {"getwindowfocus"}).trimmed() == system; }));
  Key("alt+b");
  QThread::msleep(300); // the page is drawn
  Output("xdotool", {"mousemove", "--window", system, "384", "67", "click", "1"});
  ASSERT_TRUE(WaitFor([&] { return !FindWindow("^開く$").isEmpty(); })) << "the file dialog";
  Key("Escape");
  EXPECT_TRUE(WaitFor([&] { return Output("xdotool", {"getwindowfocus"}).trimmed() == system; }))
      << "the system window has the keyboard again";
  Key("alt+x");
  EXPECT_TRUE(WaitFor([&] { return FindWindow("^VelmorasystemC").isEmpty(); }));
  escapeAsks();
  Key("F2");
  EXPECT_TRUE(WaitFor([&] { return GeometryOf(main) == screen; })) << GeometryOf(main);
  EXPECT_EQ(program_.state(), QProcess::Running);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutAWindowManager, DesktopTest, ::testing::Values(true, false),
                         [](const auto &info) { return info.param ? "openbox" : "none"; });

} // namespace
