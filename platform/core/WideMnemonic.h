#pragma once
// A menu caption may underline a full-width letter ("(&Ｓ)"). The keyboard types
// its half-width twin, which Qt does not match against the full-width one.
class QAction;
class QWidget;

namespace platform {

// Alt with the half-width twin of the item's underlined full-width letter
// chooses the item, while the item shows and is enabled. Does nothing for a
// caption whose underlined letter is not full-width.
void AcceptHalfWidthMnemonic(QWidget &window, QAction &item);

} // namespace platform
