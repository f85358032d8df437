#pragma once
// Menu items are chosen with the left button, as on the desktop the menus
// stand for; Qt here also lets the right and middle buttons choose.
class QMenu;

namespace platform {

// From now on only a left-button release over one of the menu's items chooses it.
void ChooseWithLeftButtonOnly(QMenu &menu);

} // namespace platform
