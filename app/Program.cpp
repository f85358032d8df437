#include "app/Program.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "app/TN_FrmMain1.h"
#include "app/TN_FrmSub1.h"
#include "forms/FormTypes.h"
#include "network/TN_FrmSub2.h"
#include "platform/core/ApplicationFont.h"
#include "platform/core/EventGuard.h"
#include "platform/core/TerminationSignals.h"
#include "platform/core/Translation.h"
#include "platform/core/WindowManager.h"
#include "system/TN_FrmSystem1.h"

namespace app {

namespace {
bool HaveDisplay() {
  auto set = [](const char *name) {
    const char *value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}
} // namespace

void SetUpApplication(QApplication &application) {
  QApplication::setApplicationName("MarvokZT");
  platform::InstallJapaneseQtTranslation(application);
  platform::UseFontFamilyEverywhere(
      QString::fromUtf8(forms::kFontFamily.data(), static_cast<qsizetype>(forms::kFontFamily.size())));
  QApplication::setQuitOnLastWindowClosed(false); // the main window ends the program
}

int Run(int argc, char **argv, const AfterShow &afterShow) {
  if (!HaveDisplay()) {
    std::fprintf(stderr, "MarvokZT: no display to open a window on (set DISPLAY, or run under xvfb-run).\n");
    return 1;
  }
  platform::ForgetGoneWindowManager();
  QApplication app(argc, argv);
  SetUpApplication(app);
  try {
    TN_FrmMain1 mainWindow;
    TN_FrmSystem1 systemWindow;
    mainWindow.AttachSystemWindow(systemWindow);
    TN_FrmSub2 networkDialog;
    mainWindow.AttachNetworkDialog(networkDialog);
    QObject::connect(&mainWindow, &TN_FrmMain1::Quitting, &app, &QApplication::quit, Qt::QueuedConnection);

    auto *splash = new TN_FrmSub1();
    N_FrmSub1 = splash;
    splash->exec(); // the main window's timers run behind it

    // SIGINT and SIGTERM end the program, but never leave the desktop at 640 by 480.
    platform::HandleTerminationSignals(&mainWindow, [&mainWindow] {
      mainWindow.RestoreDisplayMode();
      // Leave the loop at once: quit() would first close the windows, and the
      // main window's close asks the user.
      QCoreApplication::exit(0);
    });
    mainWindow.CentreOnScreen();
    mainWindow.show();
    mainWindow.activateWindow(); // also where no window manager gives it the keyboard
    const std::unique_ptr<QObject> companion = afterShow ? afterShow(mainWindow, networkDialog) : nullptr;
    QApplication::exec();
  } catch (const std::exception &error) {
    platform::ShowException(error);
  } catch (...) {
    platform::ShowUnknownException();
  }
  return 0;
}

} // namespace app
