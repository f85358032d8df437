#include "platform/core/KeyboardReturn.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "platform/core/WindowManager.h"

namespace platform {

namespace {

// The owner takes the keyboard, unless a shown window has it, the closing
// window shows again, or a window manager hands it on itself.
void GiveBack(QWidget &owner, const QPointer<QWidget> &closing) {
  if (!owner.isVisible() || (closing && closing->isVisible()) || WindowManagerActs())
    return;
  const QWindow *focus = QGuiApplication::focusWindow();
  if (focus != nullptr && focus->isVisible())
    return;
  owner.activateWindow();
}

// Lives as the closing window's child: it goes with the window.
class KeyboardReturn : public QObject {
public:
  KeyboardReturn(QWidget &closing, QWidget &owner) : QObject(&closing), closing_(&closing), owner_(&owner) {
    closing.installEventFilter(this);
  }

  bool eventFilter(QObject *watched, QEvent *event) override {
    // After the hide is done, and after a modal dialog's exec() has returned
    // (the dialog may be gone by then): a window shown in its place gets the
    // keyboard first.
    if (watched == closing_ && event->type() == QEvent::Hide && owner_)
      QTimer::singleShot(0, owner_, [owner = owner_, closing = closing_] {
        if (owner)
          GiveBack(*owner, closing);
      });
    return false;
  }

private:
  QPointer<QWidget> closing_;
  QPointer<QWidget> owner_;
};

} // namespace

void GiveKeyboardBackOnClose(QWidget &closing, QWidget &owner) { new KeyboardReturn(closing, owner); }

} // namespace platform
