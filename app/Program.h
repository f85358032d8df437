#pragma once
// The program's run: the application, its windows in their order, the splash
// while start-up runs, then the message loop.
#include <QObject>
#include <functional>
#include <memory>

class TN_FrmMain1;
class TN_FrmSub2;

namespace app {

// Something that lives beside the shown main window until the message loop ends.
using AfterShow = std::function<std::unique_ptr<QObject>(TN_FrmMain1 &, TN_FrmSub2 &)>;

int Run(int argc, char **argv, const AfterShow &afterShow = {});

} // namespace app
