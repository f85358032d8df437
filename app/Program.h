#pragma once
// The program's run: the application, its windows in their order, the splash
// while start-up runs, then the message loop.
#include <QObject>
#include <functional>
#include <memory>

class QApplication;
class TN_FrmMain1;
class TN_FrmSub2;

namespace app {

// Something that lives beside the shown main window until the message loop ends.
using AfterShow = std::function<std::unique_ptr<QObject>(TN_FrmMain1 &, TN_FrmSub2 &)>;

// What the program sets on the application before its first window: its name,
// Qt's own texts in Japanese, and the windows' face for every box and dialog.
void SetUpApplication(QApplication &application);

int Run(int argc, char **argv, const AfterShow &afterShow = {});

} // namespace app
