#pragma once
// A modal dialog takes the keyboard from the window below it, and where no
// window manager hands it on, nobody gives it back when the dialog closes.
class QDialog;
class QWidget;

namespace platform {

// Where the keyboard goes back after a modal dialog opened while `before` was
// active: `before` while it shows, otherwise the visible main window (`before`
// may have hidden meanwhile, or Qt may count no window as active).
QWidget *KeyboardHome(QWidget *before);

// Runs the dialog and then gives the keyboard back to the window that had it
// (the dialog's parent when Qt counts none as active), on every desktop.
int RunModal(QDialog &dialog);

} // namespace platform
