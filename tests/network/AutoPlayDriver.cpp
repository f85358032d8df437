// The game with a scripted network player beside it, for the two-programs
// test: the same program run as the shipped one, plus the player given by
// the one argument ("host:PORT" or "guest:PORT").
#include <cstdio>
#include <string>

#include "app/Program.h"
#include "app/TN_FrmMain1.h"
#include "tests/network/TestAutoPlay.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s host:PORT|guest:PORT\n", argv[0]);
    return 2;
  }
  const std::string script = argv[1];
  return app::Run(argc, argv,
                  [&script](TN_FrmMain1 &mainWindow, TN_FrmSub2 &dialog) -> std::unique_ptr<QObject> {
                    return network::TestAutoPlay::FromScript(script, mainWindow.State(), mainWindow.Game(),
                                                             dialog, [&mainWindow] { mainWindow.close(); });
                  });
}
