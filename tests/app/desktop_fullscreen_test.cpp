// The program itself on a real X server (Xvfb) with a window manager
// (openbox), without one, and after the manager was killed (its check window
// still named on the root), driven by xdotool as a user drives it: the splash,
// full screen and back with F2 again and again, and the keyboard coming back
// after every window, box and drop-down menu. Every step waits for the state
// the next one needs (a window shown, which window has the keyboard, a page
// drawn): keys go to whatever has the keyboard, also on a busy machine.
#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include <xcb/xcb.h>

#include "tests/support/FreePort.h"
#include "tests/support/TestPaths.h"

namespace {

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

enum class Desktop { kOpenbox, kNone, kKilledManager };

constexpr int kWaitMs = 60000; // generous: the machine may be busy

struct Geometry {
  int x = -1, y = -1, width = 0, height = 0;
  bool operator==(const Geometry &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Geometry &g) {
  return out << g.width << "x" << g.height << " at " << g.x << "," << g.y;
}

// Polls until `done` holds; a failure names the state that never came.
AssertionResult WaitFor(const std::string &state, const std::function<bool()> &done) {
  const QDeadlineTimer deadline(kWaitMs);
  while (!done()) {
    if (deadline.hasExpired())
      return AssertionFailure() << "waited " << kWaitMs / 1000 << " s for " << state;
    QThread::msleep(50);
  }
  return AssertionSuccess();
}

// A window of the program: how xdotool finds it, what a failure calls it, its id once shown.
struct Window {
  QString pattern;
  std::string name;
  QString id = {};
};

class DesktopTest : public ::testing::TestWithParam<Desktop> {
protected:
  void SetUp() override {
    for (const char *tool : {"Xvfb", "openbox", "xdotool", "xprop", "xwininfo"})
      ASSERT_FALSE(QStandardPaths::findExecutable(tool).isEmpty())
          << tool << " is not installed (tools/install-deps.sh installs it)";
    // Xvfb picks a free display number and writes it on its standard output;
    // it keeps the root window's properties when its last client goes.
    server_.start("Xvfb", {"-displayfd", "1", "-noreset", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    ASSERT_TRUE(WaitFor("Xvfb to name its display", [&] {
      server_.waitForReadyRead(100);
      return server_.canReadLine() || server_.state() == QProcess::NotRunning;
    }));
    ASSERT_TRUE(server_.canReadLine()) << "Xvfb ended without naming a display";
    display_ = ":" + QString::fromLatin1(server_.readLine()).trimmed();
    env_ = QProcessEnvironment::systemEnvironment();
    env_.insert("DISPLAY", display_);
    env_.remove("WAYLAND_DISPLAY");

    if (GetParam() != Desktop::kNone) {
      manager_.setProcessEnvironment(env_);
      manager_.start("openbox", {});
      ASSERT_TRUE(WaitFor("openbox to announce itself on the root window", [&] {
        return Output("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
      }));
    }
    if (GetParam() == Desktop::kKilledManager) {
      manager_.kill(); // SIGKILL: no chance to take its announcement back
      ASSERT_TRUE(manager_.waitForFinished(kWaitMs));
      const QString named = Output("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).section(' ', -1).trimmed();
      ASSERT_FALSE(named.isEmpty()) << "the root window no longer names the killed manager's check window";
      ASSERT_TRUE(WaitFor("the killed manager's check window destroyed", [&] {
        return Output("xwininfo", {"-id", named}).isEmpty();
      }));
    }

    QProcessEnvironment game = env_;
    game.insert("QT_QPA_PLATFORM", "xcb");
    program_.setProcessEnvironment(game);
    program_.setWorkingDirectory(testpaths::GameDir());
    program_.setProcessChannelMode(QProcess::ForwardedChannels);
    program_.start(testpaths::GameDir() + "/MarvokZT", {});
    ASSERT_TRUE(program_.waitForStarted(kWaitMs));
  }

  void TearDown() override {
    // SIGTERM: the program leaves without asking.
    for (QProcess *process : {&program_, &manager_, &server_})
      if (process->state() != QProcess::NotRunning) {
        process->terminate();
        if (!process->waitForFinished(10000)) {
          process->kill();
          process->waitForFinished(5000);
        }
      }
  }

  QString Output(const QString &tool, const QStringList &arguments) {
    QProcess process;
    process.setProcessEnvironment(env_);
    process.start(tool, arguments);
    if (!process.waitForFinished(kWaitMs)) {
      process.kill();
      process.waitForFinished(5000);
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
  AssertionResult Shown(Window &window) {
    return WaitFor(window.name + " shown",
                   [&] { return !(window.id = FindWindow(window.pattern)).isEmpty(); });
  }
  AssertionResult Gone(const Window &window) {
    return WaitFor(window.name + " gone", [&] { return FindWindow(window.pattern).isEmpty(); });
  }
  AssertionResult HasKeyboard(const Window &window) {
    AssertionResult result = WaitFor(window.name + " to have the keyboard", [&] {
      return Output("xdotool", {"getwindowfocus"}).trimmed() == window.id;
    });
    if (!result)
      result << "; it is with \""
             << Output("xdotool", {"getwindowfocus", "getwindowname"}).trimmed().toStdString() << "\"";
    return result;
  }
  // The key, once the window has the keyboard.
  AssertionResult Press(const char *key, const Window &window) {
    AssertionResult result = HasKeyboard(window);
    if (result)
      Output("xdotool", {"key", key});
    return result;
  }
  AssertionResult Opens(const char *key, const Window &from, Window &to) {
    AssertionResult result = Press(key, from);
    return result ? Shown(to) : result;
  }
  AssertionResult Closes(const char *key, const Window &window) {
    AssertionResult result = Press(key, window);
    return result ? Gone(window) : result;
  }
  // Escape on the main window asks "終了してよろしいですか？"; Escape on the question answers No.
  AssertionResult EscapeAsks() {
    Window question{"^確認$", "the question"};
    AssertionResult result = Opens("Escape", main_, question);
    return result ? Closes("Escape", question) : result;
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
  // Whether one of the program's drop-down menus shows: an unframed window
  // named after the program, straight on the root window.
  bool DropDownShown() {
    for (const QString &line : Output("xwininfo", {"-root", "-children"}).split('\n'))
      if (line.contains("\"MarvokZT\": (\"MarvokZT\" \"MarvokZT\")")) {
        const QString info = Output("xwininfo", {"-id", line.trimmed().section(' ', 0, 0)});
        if (info.contains("IsViewable") && info.contains("Override Redirect State: yes"))
          return true;
      }
    return false;
  }
  // Whether the 20 by 20 square at x, y of the window is mostly a button's
  // light grey face (the other pages show a dark picture there).
  bool ShowsButtonFace(const QString &window, int x, int y) {
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(display_.toLatin1().constData(), nullptr), &xcb_disconnect);
    const std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> image(
        xcb_get_image_reply(connection.get(),
                            xcb_get_image(connection.get(), XCB_IMAGE_FORMAT_Z_PIXMAP, window.toUInt(),
                                          static_cast<int16_t>(x), static_cast<int16_t>(y), 20, 20, ~0u),
                            nullptr),
        &std::free);
    if (!image || xcb_get_image_data_length(image.get()) != 20 * 20 * 4)
      return false;
    const uint8_t *pixels = xcb_get_image_data(image.get());
    int grey = 0;
    for (int i = 0; i < 20 * 20 * 4; i += 4) {
      const auto [low, high] = std::minmax({pixels[i], pixels[i + 1], pixels[i + 2]});
      grey += low >= 0xC0 && high - low < 0x20;
    }
    return grey > 20 * 20 / 2;
  }

  QProcess server_, manager_, program_;
  QString display_;
  Window main_{"^MarvokZT Ver", "the main window"};
  QProcessEnvironment env_;
};

// Full screen covers the screen on every F2 from the first, and F2 again brings
// the same bordered 640 by 480 window with its menu back. Escape asks after
// every window and box that has come and gone: the network dialog, the system
// window and its file dialog, and the error box of a connect nobody answers.
TEST_P(DesktopTest, FullScreenAndTheKeyboardBackAfterEveryWindow) {
  const bool manager = GetParam() == Desktop::kOpenbox;
  Window splash{"^N_FrmSub1$", "the splash"}, dialog{"^ネットワーク設定$", "the network dialog"},
      system{"^VelmorasystemC", "the system window"}, files{"^開く$", "the file dialog"},
      box{"^MarvokZT$", "the socket error box"};
  ASSERT_TRUE(Shown(splash));
  EXPECT_EQ(GeometryOf(splash.id), (Geometry{306, 269, 412, 230})) << "the splash is centred";

  ASSERT_TRUE(Shown(main_));
  ASSERT_TRUE(HasKeyboard(main_));
  Geometry windowed;
  ASSERT_TRUE(
      WaitFor("the main window 640 wide", [&] { return (windowed = GeometryOf(main_.id)).width == 640; }));
  EXPECT_GT(windowed.height, 480) << "the client area and the menu bar above it";
  EXPECT_LT(windowed.height, 540);
  if (manager) {
    EXPECT_NE(FrameOf(main_.id), "0, 0, 0, 0") << "a border";
  } else {
    EXPECT_EQ(windowed.x, (1024 - 640) / 2) << "centred";
  }

  const Geometry screen{0, 0, 1024, 768};
  auto fullScreen = [&] { return WaitFor("full screen", [&] { return GeometryOf(main_.id) == screen; }); };
  for (int round = 1; round <= 3; ++round) {
    SCOPED_TRACE(round);
    ASSERT_TRUE(Press("F2", main_));
    ASSERT_TRUE(fullScreen()) << GeometryOf(main_.id);
    if (manager) {
      EXPECT_TRUE(WaitFor("no border", [&] { return FrameOf(main_.id) == "0, 0, 0, 0"; }));
    }
    ASSERT_TRUE(Press("F2", main_));
    ASSERT_TRUE(WaitFor("the window as before", [&] { return GeometryOf(main_.id) == windowed; }))
        << GeometryOf(main_.id);
    if (manager) {
      EXPECT_TRUE(WaitFor("a border again", [&] { return FrameOf(main_.id) != "0, 0, 0, 0"; }));
    }
  }

  ASSERT_TRUE(EscapeAsks());
  // A drop-down opened with Alt+O or a click on its title and closed with
  // Escape leaves the keys with the window: the next Escape asks.
  for (const bool click : {false, true}) {
    SCOPED_TRACE(click ? "a click on the title" : "Alt+O");
    if (click)
      Output("xdotool", {"mousemove", "--window", main_.id, "90", "9", "click", "1"});
    else
      ASSERT_TRUE(Press("alt+o", main_));
    ASSERT_TRUE(WaitFor("the drop-down shown", [&] { return DropDownShown(); }));
    ASSERT_TRUE(Press("Escape", main_));
    ASSERT_TRUE(WaitFor("the drop-down gone", [&] { return !DropDownShown(); }));
    ASSERT_TRUE(EscapeAsks());
  }
  Output("xdotool", {"mousemove", "--window", main_.id, "320", "300"}); // off the menu bar
  ASSERT_TRUE(Opens("F4", main_, dialog));
  ASSERT_TRUE(Closes("alt+c", dialog));
  ASSERT_TRUE(EscapeAsks());

  // The sound page's "..." file dialog, left with Escape, gives the keyboard back to the system window.
  ASSERT_TRUE(Opens("alt+s", main_, system));
  ASSERT_TRUE(Press("alt+b", system));
  ASSERT_TRUE(
      WaitFor("the sound page's \"...\" button drawn", [&] { return ShowsButtonFace(system.id, 374, 57); }));
  Output("xdotool", {"mousemove", "--window", system.id, "384", "67", "click", "1"});
  ASSERT_TRUE(Shown(files));
  ASSERT_TRUE(Closes("Escape", files));
  ASSERT_TRUE(Closes("alt+x", system));
  ASSERT_TRUE(EscapeAsks());

  // サーバー待機 unticked, 接続 to a port nobody listens on: the box
  // "ソケットエラー 111: Connection refused (connect)" comes after the dialog has hidden.
  ASSERT_TRUE(Opens("F4", main_, dialog));
  ASSERT_TRUE(HasKeyboard(dialog));
  Output("xdotool", {"mousemove", "--window", dialog.id, "70", "74", "click", "1", "key", "ctrl+a", "type",
                     QString::number(testsupport::FreePort())});
  ASSERT_TRUE(Opens("alt+u", dialog, box));
  ASSERT_TRUE(Closes("Return", box));
  ASSERT_TRUE(EscapeAsks());

  ASSERT_TRUE(Press("F2", main_));
  EXPECT_TRUE(fullScreen()) << GeometryOf(main_.id);
  EXPECT_EQ(program_.state(), QProcess::Running);
}

INSTANTIATE_TEST_SUITE_P(Desktops, DesktopTest,
                         ::testing::Values(Desktop::kOpenbox, Desktop::kNone, Desktop::kKilledManager),
                         [](const auto &info) {
                           switch (info.param) {
                           case Desktop::kOpenbox: return "openbox";
                           case Desktop::kNone: return "none";
                           case Desktop::kKilledManager: return "killed_openbox";
                           }
                           return "";
                         });

} // namespace
