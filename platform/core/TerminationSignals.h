#pragma once
// SIGINT and SIGTERM handled on the user-interface thread, so the program can
// undo what it changed on the desktop (the display mode) before it ends.
#include <functional>

class QObject;

namespace platform {

// Runs handler from the event loop when SIGINT or SIGTERM arrives. The signal
// handler itself only writes one byte to a pipe.
void HandleTerminationSignals(QObject *owner, std::function<void()> handler);

} // namespace platform
