#pragma once
// Where no window manager hands the keyboard on, a window that closes leaves it
// with nobody, and Qt does not always notice the loss.
class QWidget;

namespace platform {

// From now on, when `closing` hides and no window manager acts, `owner` takes
// the keyboard back, unless another shown window of the program already has it.
void GiveKeyboardBackOnClose(QWidget &closing, QWidget &owner);

} // namespace platform
