#pragma once
// The program's windows as it makes them: the main window with the sound and
// system window and the network dialog beside it, and a display that is never
// really switched. The rig runs them from the game folder with every message
// box recorded and answered by the test.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "app/TN_FrmMain1.h"
#include "network/TN_FrmSub2.h"
#include "system/TN_FrmSystem1.h"
#include "tests/support/GameFolder.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/Waits.h"

namespace apptest {

// Counts switches and restores; offers a 640 by 480 mode or not.
struct FakeDisplay : platform::DisplayModeSwitcher {
  bool offersMode = true;
  int switches = 0, restores = 0;
  bool SwitchTo640x480() override { return ++switches, offersMode; }
  void Restore() override { ++restores; }
};

template <typename Window = TN_FrmMain1> struct ProgramWindows {
  ProgramWindows() {
    window->AttachSystemWindow(*system);
    window->AttachNetworkDialog(*dialog);
    auto fake = std::make_unique<FakeDisplay>();
    display = fake.get();
    window->SetDisplayModeSwitcher(std::move(fake));
  }
  ~ProgramWindows() { window.reset(); } // its match uses the dialog
  ProgramWindows(const ProgramWindows &) = delete;
  ProgramWindows &operator=(const ProgramWindows &) = delete;

  // The dialog's fields filled in and its connect button pressed.
  void Connect(bool host, int port) {
    dialog->N_EdiNet1->setText("127.0.0.1");
    dialog->N_EdiNet2->setText(QString::number(port));
    dialog->N_CheAccess1->setChecked(host);
    dialog->N_ButAccess1->click();
  }
  game::GameState &St() { return window->State(); }

  std::unique_ptr<Window> window = std::make_unique<Window>(); // first, as at start-up
  std::unique_ptr<TN_FrmSystem1> system = std::make_unique<TN_FrmSystem1>();
  std::unique_ptr<TN_FrmSub2> dialog = std::make_unique<TN_FrmSub2>();
  FakeDisplay *display = nullptr;
};

// Run from the game folder, or from a copy of the test's own (GameFolderCopy, less the files named).
template <typename Window = TN_FrmMain1, typename Folder = testsupport::InFolder>
struct MainWindowRig : testsupport::BoxRecorder, Folder, ProgramWindows<Window> {
  MainWindowRig() = default;
  explicit MainWindowRig(const QStringList &leaveOut) : Folder(leaveOut) {}
};

// The action with this caption among these, or null.
inline QAction *Find(const QList<QAction *> &actions, const char *caption) {
  for (QAction *action : actions)
    if (action->text() == QString::fromUtf8(caption))
      return action;
  return nullptr;
}

// Clicks a top item of the window's menu bar; returns the menu it opened, if any.
inline QMenu *OpenMenu(QMainWindow &window, const char *top) {
  QMenuBar *bar = window.menuBar();
  QAction *topAction = Find(bar->actions(), top);
  EXPECT_TRUE(topAction != nullptr && topAction->isVisible() && topAction->isEnabled()) << top;
  if (topAction == nullptr)
    return nullptr;
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(topAction).center());
  QApplication::processEvents();
  QMenu *menu = topAction->menu();
  if (menu != nullptr) {
    EXPECT_TRUE(testsupport::WaitFor([&] { return menu->isVisible(); })) << top << "'s menu shown";
  }
  return menu;
}

// Clicks the item with this caption in an open menu, with this button.
inline void ClickItem(QMenu *menu, const char *item, Qt::MouseButton button = Qt::LeftButton) {
  ASSERT_NE(menu, nullptr);
  QAction *entry = Find(menu->actions(), item);
  ASSERT_TRUE(entry != nullptr && entry->isEnabled()) << item;
  QTest::mouseClick(menu, button, {}, menu->actionGeometry(entry).center());
}

// Chooses a top item of the menu bar and, when given, an item of its menu.
inline void Choose(QMainWindow &window, const char *top, const char *item = nullptr) {
  QMenu *menu = OpenMenu(window, top);
  if (item != nullptr)
    ClickItem(menu, item);
}

// Clicks the push button with this caption.
inline void ClickButton(QWidget &window, const char *caption) {
  for (QPushButton *button : window.findChildren<QPushButton *>())
    if (button->text() == QString::fromUtf8(caption))
      return QTest::mouseClick(button, Qt::LeftButton);
  FAIL() << "no button " << caption;
}

} // namespace apptest
