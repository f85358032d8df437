#pragma once
// The main window as the program makes it, run from the game folder, with the
// sound and system window and the network dialog beside it, the display never
// really switched, and every message box answered by the test (recorded and
// answered "no" unless the test gives its own answer).
#include <QDir>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/TN_FrmMain1.h"
#include "network/TN_FrmSub2.h"
#include "platform/core/MessageBox.h"
#include "system/TN_FrmSystem1.h"
#include "tests/support/TestPaths.h"

namespace windowtest {

struct NoDisplaySwitch : platform::DisplayModeSwitcher {
  bool SwitchTo640x480() override { return true; }
  void Restore() override {}
};

class MainWindowRig {
public:
  explicit MainWindowRig(platform::MessageBoxResponder answer = {}) {
    QDir::setCurrent(testpaths::GameDir());
    if (!answer)
      answer = [this](const platform::MessageBoxRequest &request) {
        boxes.push_back(request);
        return platform::IDNO;
      };
    previous_ = platform::SetMessageBoxResponder(std::move(answer));
    window = std::make_unique<TN_FrmMain1>();
    system = std::make_unique<TN_FrmSystem1>();
    window->AttachSystemWindow(*system);
    dialog = std::make_unique<TN_FrmSub2>();
    window->AttachNetworkDialog(*dialog);
    window->SetDisplayModeSwitcher(std::make_unique<NoDisplaySwitch>());
  }
  ~MainWindowRig() {
    window.reset(); // its match uses the dialog
    dialog.reset();
    system.reset();
    platform::SetMessageBoxResponder(previous_);
    QDir::setCurrent(previousDir_);
  }
  MainWindowRig(const MainWindowRig &) = delete;
  MainWindowRig &operator=(const MainWindowRig &) = delete;

  std::vector<platform::MessageBoxRequest> boxes;
  std::unique_ptr<TN_FrmMain1> window;
  std::unique_ptr<TN_FrmSystem1> system;
  std::unique_ptr<TN_FrmSub2> dialog;

private:
  QString previousDir_ = QDir::currentPath();
  platform::MessageBoxResponder previous_;
};

} // namespace windowtest
