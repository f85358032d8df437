#pragma once
// Escape in a drop-down closes it, and Qt then leaves the menu bar holding the
// keyboard with a title chosen that the style does not draw: the next Escape
// only ends that unseen state, and the window seems deaf to it.
class QMenuBar;

namespace platform {

// From now on a drop-down of `bar` closed with Escape gives the keys back to
// the window at once, so the next Escape reaches the window.
void GiveKeysBackOnMenuEscape(QMenuBar &bar);

} // namespace platform
