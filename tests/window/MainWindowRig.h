#pragma once
// The main window as the program makes it, run from the game folder, with the
// sound and system window and the network dialog beside it and every message
// box answered by the test.
#include <QDir>
#include <memory>

#include "app/TN_FrmMain1.h"
#include "network/TN_FrmSub2.h"
#include "platform/core/MessageBox.h"
#include "system/TN_FrmSystem1.h"
#include "tests/support/TestPaths.h"

struct MainWindowRig {
  explicit MainWindowRig(platform::MessageBoxResponder answer) {
    QDir::setCurrent(testpaths::GameDir());
    previousResponder = platform::SetMessageBoxResponder(std::move(answer));
    window = std::make_unique<TN_FrmMain1>();
    system = std::make_unique<TN_FrmSystem1>();
    dialog = std::make_unique<TN_FrmSub2>();
    window->AttachSystemWindow(*system);
    window->AttachNetworkDialog(*dialog);
  }
  ~MainWindowRig() {
    window.reset(); // its match uses the dialog
    dialog.reset();
    system.reset();
    platform::SetMessageBoxResponder(previousResponder);
    QDir::setCurrent(previousDir);
  }
  MainWindowRig(const MainWindowRig &) = delete;
  MainWindowRig &operator=(const MainWindowRig &) = delete;

  QString previousDir = QDir::currentPath();
  platform::MessageBoxResponder previousResponder;
  std::unique_ptr<TN_FrmMain1> window;
  std::unique_ptr<TN_FrmSystem1> system;
  std::unique_ptr<TN_FrmSub2> dialog;
};
