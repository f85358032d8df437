#pragma once
// Where a top-level window goes on the screen.
class QWidget;

namespace platform {

// Puts the window, frame included where the frame is known, at the centre of
// the primary screen's available area. Left alone, the platform places a
// window wherever it likes (a frameless one as if it had a title bar).
void CentreOnScreen(QWidget &window);

} // namespace platform
