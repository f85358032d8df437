// The keyboard and full screen as a user meets them: keys go where the
// keyboard is (the menu bar once it has taken it); Escape asks whatever had the
// keyboard before; every shortcut answers whether full screen hides the menu
// or not; F2 into full screen and back, the top strip that shows the hidden
// menu, and the system window and quitting from full screen. The display
// offers a 640 by 480 mode, or not.
#include <QFile>
#include <QMessageBox>
#include <QUrl>
#include <functional>
#include <gtest/gtest.h>

#include "tests/support/MainWindowRig.h"
#include "tests/support/ModalDialog.h"

using game::MenuItem;

namespace {

class KeyboardTest : public ::testing::TestWithParam<bool> {
protected:
  void SetUp() override {
    rig_.display->offersMode = GetParam();
    window_->SetUrlOpener([this](const QUrl &url) { opened_.push_back(url); });
    window_->N_TimCreate1Timer();
    window_->show();
    Activate();
  }

  void Activate() {
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_, testsupport::kWaitMs));
  }
  // A key goes where the keyboard is, as the user's does.
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget *target =
        QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    QApplication::processEvents();
  }
  // The mouse moved from the background onto the top strip of the client area.
  void OverTheTopStrip(int x) {
    QTest::mouseMove(&window_->ClientArea(), QPoint(x, 40));
    QTest::mouseMove(&window_->ClientArea(), QPoint(x, 5));
    QApplication::processEvents();
  }
  bool FullScreen() { return window_->Caption(MenuItem::N_MenFull1) == "ｳｲﾝﾄﾞｳ表示(&F)"; }
  // "shown", "hidden" or "mixed": the menu bar's top items.
  std::string TopItems() {
    int shown = 0;
    for (auto item :
         {MenuItem::N_MenEnd1, MenuItem::N_MenOption1, MenuItem::N_MenTool1, MenuItem::N_MenHelp1})
      shown += window_->Visible(item);
    return shown == 4 ? "shown" : shown == 0 ? "hidden" : "mixed";
  }

  std::vector<QUrl> opened_;
  apptest::MainWindowRig<> rig_;
  TN_FrmMain1 *window_ = rig_.window.get();
  apptest::FakeDisplay &display_ = *rig_.display;
};

// Escape asks to quit whenever the main window is active, whatever had the keyboard before.
TEST_P(KeyboardTest, EscapeAsksAfterWhateverHadTheKeyboard) {
  struct Case {
    const char *before;
    std::function<void()> act;
    int escapesForTheMenu; // Escapes the menu bar takes first, while it highlights an item
  };
  const Case cases[] = {
      {"nothing", [] {}, 0},
      {"Alt pressed alone", [&] { Press(Qt::Key_Alt); }, 1},
      {"Alt pressed twice", [&] { Press(Qt::Key_Alt), Press(Qt::Key_Alt); }, 0},
      {"a menu opened with the mouse and closed with Escape",
       [&] {
         apptest::OpenMenu(*window_, "ｵﾌﾟｼｮﾝ(&O)");
         ASSERT_NE(QApplication::activePopupWidget(), nullptr);
         Press(Qt::Key_Escape);
         ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
       },
       0},
      {"a menu opened with Alt+O and closed with Escape",
       [&] {
         Press(Qt::Key_O, Qt::AltModifier);
         ASSERT_NE(QApplication::activePopupWidget(), nullptr);
         Press(Qt::Key_Escape);
       },
       0},
      {"a full-screen round trip", [&] { Press(Qt::Key_F2), Press(Qt::Key_F2); }, 0},
      {"the system window shown and closed",
       [&] {
         apptest::Choose(*window_, "ｼｽﾃﾑ情報(&Ｓ)");
         ASSERT_TRUE(rig_.system->isVisible());
         rig_.system->close();
         Activate();
       },
       0},
      {"the network dialog shown and cancelled",
       [&] {
         Press(Qt::Key_F4);
         ASSERT_TRUE(rig_.dialog->isVisible());
         apptest::ClickButton(*rig_.dialog, "ｷｬﾝｾﾙ(&C)");
         ASSERT_FALSE(rig_.dialog->isVisible());
         Activate();
       },
       0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.before);
    c.act();
    rig_.boxes.clear();
    for (int i = 0; i < c.escapesForTheMenu; ++i)
      Press(Qt::Key_Escape);
    EXPECT_TRUE(rig_.boxes.empty());
    Press(Qt::Key_Escape);
    EXPECT_EQ(rig_.Texts(), std::vector<std::string>{"終了してよろしいですか？"});
    EXPECT_TRUE(window_->isVisible());
  }
}

// A box raised over the network dialog that hides while the box is up (its
// connect failing) gives the keyboard to the main window when it closes.
TEST_P(KeyboardTest, ABoxWhoseWindowHidGivesTheKeyboardToTheMainWindow) {
  Press(Qt::Key_F4);
  ASSERT_TRUE(QTest::qWaitForWindowActive(rig_.dialog.get(), testsupport::kWaitMs));
  const auto recorder = platform::SetMessageBoxResponder({}); // a real box
  testsupport::WhenModal<QMessageBox> answer([&](QMessageBox &box) {
    rig_.dialog->HideDialog();
    box.accept();
  });
  platform::ShowMessageBox("ソケットエラー 111: Connection refused (connect)", "", platform::MB_OK);
  platform::SetMessageBoxResponder(recorder);
  ASSERT_FALSE(rig_.dialog->isVisible());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_, testsupport::kWaitMs));
  Press(Qt::Key_Escape);
  EXPECT_EQ(rig_.Texts(), std::vector<std::string>{"終了してよろしいですか？"});
}

// Every shortcut answers in the window and in full screen, where the menu is
// hidden; a disabled item's shortcut does nothing. Help leaves full screen first.
TEST_P(KeyboardTest, ShortcutsAnswerWhetherTheMenuShowsOrNot) {
  for (const bool fullScreen : {false, true}) {
    SCOPED_TRACE(fullScreen ? "full screen" : "window");
    auto enter = [&] {
      if (FullScreen() != fullScreen)
        Press(Qt::Key_F2);
      ASSERT_EQ(FullScreen(), fullScreen);
      ASSERT_EQ(window_->menuBar()->isVisible(), !fullScreen);
    };

    enter();
    window_->State().ownPiecesLeft = 3;
    Press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(window_->State().ownPiecesLeft, 5) << "Ctrl+N starts a new game";

    window_->State().ownPiecesLeft = 3;
    window_->SetEnabled(MenuItem::N_MenNew1, false); // as during a network match
    Press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(window_->State().ownPiecesLeft, 3) << "a disabled item's shortcut";
    window_->SetEnabled(MenuItem::N_MenNew1, true);

    opened_.clear();
    const int restores = display_.restores;
    Press(Qt::Key_F1);
    ASSERT_EQ(opened_.size(), 1u) << "F1 opens the help page";
    EXPECT_EQ(opened_[0].toLocalFile(), QDir::current().filePath("Help1.html"));
    EXPECT_FALSE(FullScreen()) << "after leaving full screen";
    EXPECT_EQ(window_->State().fullScreen, 0);
    EXPECT_EQ(display_.restores, restores + (fullScreen ? 1 : 0));

    enter();
    Press(Qt::Key_F4);
    EXPECT_TRUE(rig_.dialog->isVisible()) << "F4 opens the network dialog";
    apptest::ClickButton(*rig_.dialog,
                         "ｷｬﾝｾﾙ(&C)"); // in full screen this shows the menu (the top strip's flip)
    Activate();

    Press(Qt::Key_F2);
    EXPECT_NE(FullScreen(), fullScreen) << "F2 switches the display mode";
  }
}

// F2 takes the frameless window over the screen with the field at its
// centre and the menu hidden; the top strip shows and hides the menu in full
// screen only; F2 again brings the window back.
TEST_P(KeyboardTest, IntoFullScreenAndBack) {
  OverTheTopStrip(100);
  EXPECT_EQ(TopItems(), "shown");
  Press(Qt::Key_F2);
  EXPECT_TRUE(FullScreen());
  EXPECT_EQ(window_->State().fullScreen, 1);
  EXPECT_EQ(TopItems(), "hidden");
  EXPECT_TRUE(window_->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(display_.switches, 1);
  EXPECT_EQ(display_.restores, 0);
  EXPECT_EQ(window_->ClientArea().size(), QSize(640, 480));
  const QWidget *frame = window_->centralWidget();
  const QRect client = window_->ClientArea().geometry();
  EXPECT_LE(std::abs(client.left() - (frame->width() - client.right() - 1)), 1);
  EXPECT_LE(std::abs(client.top() - (frame->height() - client.bottom() - 1)), 1);
  OverTheTopStrip(100);
  EXPECT_EQ(TopItems(), "shown");
  OverTheTopStrip(200);
  EXPECT_EQ(TopItems(), "hidden");

  Press(Qt::Key_F2);
  EXPECT_EQ(window_->Caption(MenuItem::N_MenFull1), "ﾌﾙｽｸﾘｰﾝ表示(&F)");
  EXPECT_EQ(window_->State().fullScreen, 0);
  EXPECT_EQ(TopItems(), "shown");
  EXPECT_FALSE(window_->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(display_.switches, 1);
  EXPECT_EQ(display_.restores, 1);
  EXPECT_EQ(window_->ClientArea().size(), QSize(640, 480));
  EXPECT_TRUE(window_->isVisible());
}

// The system window, chosen from the menu the top strip shows, leaves full screen first.
TEST_P(KeyboardTest, SystemInformationLeavesFullScreenFirst) {
  Press(Qt::Key_F2);
  OverTheTopStrip(100);
  apptest::Choose(*window_, "ｼｽﾃﾑ情報(&Ｓ)");
  EXPECT_FALSE(FullScreen());
  EXPECT_EQ(display_.restores, 1);
  EXPECT_TRUE(rig_.system->isVisible());
}

// Alt with a top item's underlined letter chooses it, the full-width Ｓ of
// "ｼｽﾃﾑ情報(&Ｓ)" included; not while full screen hides the item.
TEST_P(KeyboardTest, UnderlinedLettersChooseTheTopItems) {
  Press(Qt::Key_F2);
  Press(Qt::Key_S, Qt::AltModifier);
  EXPECT_FALSE(rig_.system->isVisible()) << "the item is hidden in full screen";
  Press(Qt::Key_F2);

  for (int time = 1; time <= 2; ++time) {
    SCOPED_TRACE(time);
    Press(Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(rig_.system->isVisible());
    apptest::ClickButton(*rig_.system, "終了(&X)");
    Activate();
  }

  opened_.clear();
  Press(Qt::Key_H, Qt::AltModifier);
  EXPECT_EQ(opened_.size(), 1u) << "Alt+H opens the help page";
}

// Quitting in full screen restores the display and writes 1 to the settings file.
TEST_P(KeyboardTest, QuittingInFullScreenRestoresTheDisplayAndWritesOne) {
  Press(Qt::Key_F2);
  rig_.fallback = platform::IDYES;
  Press(Qt::Key_Escape);
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(display_.restores, 1);
  QFile file(QString::fromStdString(rig_.system->dataFolder + "SeveData.qvd"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("1\r\n"));
  file.remove();
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutA640x480Mode, KeyboardTest, ::testing::Values(true, false));

} // namespace
