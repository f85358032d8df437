// The keyboard as a user meets it: keys go where the keyboard is (the menu
// bar once it has taken it), and the window's keys answer whatever happened
// before and whether full screen hides the menu or not.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <functional>
#include <gtest/gtest.h>

#include "tests/window/MainWindowRig.h"

using game::MenuItem;

namespace {

struct NoDisplaySwitch : platform::DisplayModeSwitcher {
  bool SwitchTo640x480() override { return false; }
  void Restore() override {}
};

class KeyboardTest : public ::testing::Test {
protected:
  void SetUp() override {
    window_->SetDisplayModeSwitcher(std::make_unique<NoDisplaySwitch>());
    window_->SetUrlOpener([this](const QUrl &url) { opened_.push_back(url); });
    window_->N_TimCreate1Timer();
    window_->show();
    Activate();
  }

  void Activate() {
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }
  // A key goes where the keyboard is, as the user's does.
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget *target =
        QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    QApplication::processEvents();
  }
  QAction *BarItem(const char *caption) {
    for (QAction *action : window_->menuBar()->actions())
      if (action->text() == QString::fromUtf8(caption))
        return action;
    return nullptr;
  }
  void ClickBarItem(const char *caption) {
    QAction *item = BarItem(caption);
    ASSERT_NE(item, nullptr) << caption;
    QTest::mouseClick(window_->menuBar(), Qt::LeftButton, {},
                      window_->menuBar()->actionGeometry(item).center());
    QApplication::processEvents();
  }
  void ClickButton(QWidget &window, const char *caption) {
    for (QPushButton *button : window.findChildren<QPushButton *>())
      if (button->text() == QString::fromUtf8(caption)) {
        QTest::mouseClick(button, Qt::LeftButton);
        return;
      }
    FAIL() << "no button " << caption;
  }
  bool FullScreen() { return window_->Caption(MenuItem::N_MenFull1) == "ｳｲﾝﾄﾞｳ表示(&F)"; }

  std::vector<std::string> questions_;
  std::vector<QUrl> opened_;
  windowtest::MainWindowRig rig_{[this](const platform::MessageBoxRequest &request) {
    questions_.push_back(request.text);
    return platform::IDNO;
  }};
  std::unique_ptr<TN_FrmMain1> &window_ = rig_.window;
  std::unique_ptr<TN_FrmSystem1> &system_ = rig_.system;
  std::unique_ptr<TN_FrmSub2> &dialog_ = rig_.dialog;
};

// Escape asks to quit whenever the main window is active, whatever had the keyboard before.
TEST_F(KeyboardTest, EscapeAsksAfterWhateverHadTheKeyboard) {
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
         ClickBarItem("ｵﾌﾟｼｮﾝ(&O)");
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
         ClickBarItem("ｼｽﾃﾑ情報(&Ｓ)");
         ASSERT_TRUE(system_->isVisible());
         system_->close();
         Activate();
       },
       0},
      {"the network dialog shown and cancelled",
       [&] {
         Press(Qt::Key_F4);
         ASSERT_TRUE(dialog_->isVisible());
         ClickButton(*dialog_, "ｷｬﾝｾﾙ(&C)");
         ASSERT_FALSE(dialog_->isVisible());
         Activate();
       },
       0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.before);
    c.act();
    questions_.clear();
    for (int i = 0; i < c.escapesForTheMenu; ++i)
      Press(Qt::Key_Escape);
    EXPECT_TRUE(questions_.empty());
    Press(Qt::Key_Escape);
    EXPECT_EQ(questions_, std::vector<std::string>{"終了してよろしいですか？"});
    EXPECT_TRUE(window_->isVisible());
  }
}

// Every shortcut answers in the window and in full screen, where the menu is
// hidden; a disabled item's shortcut does nothing.
TEST_F(KeyboardTest, ShortcutsAnswerWhetherTheMenuShowsOrNot) {
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
    Press(Qt::Key_F1);
    ASSERT_EQ(opened_.size(), 1u) << "F1 opens the help page";
    EXPECT_TRUE(opened_[0].toLocalFile().endsWith("/Help1.html"));
    EXPECT_FALSE(FullScreen()) << "after leaving full screen";

    enter();
    Press(Qt::Key_F4);
    EXPECT_TRUE(dialog_->isVisible()) << "F4 opens the network dialog";
    ClickButton(*dialog_, "ｷｬﾝｾﾙ(&C)"); // in full screen this shows the menu (the top strip's flip)
    Activate();

    Press(Qt::Key_F2);
    EXPECT_NE(FullScreen(), fullScreen) << "F2 switches the display mode";
  }
}

} // namespace
