#include "platform/core/MenuEscape.h"

#include <QActionEvent>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace platform {

namespace {

// Lives as the bar's child: it goes with the bar. Watches the bar for its
// drop-downs and the drop-downs for Escape.
class KeysBackOnEscape : public QObject {
public:
  explicit KeysBackOnEscape(QMenuBar &bar) : QObject(&bar), bar_(&bar) {
    bar.installEventFilter(this);
    for (QAction *action : bar.actions())
      Watch(action->menu());
  }

  bool eventFilter(QObject *watched, QEvent *event) override {
    if (watched == bar_) {
      if (event->type() == QEvent::ActionAdded)
        Watch(static_cast<QActionEvent *>(event)->action()->menu());
    } else if (event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent *>(event)->matches(QKeySequence::Cancel)) {
      // The drop-down hands the bar the keyboard as it handles the key: act after it.
      QMetaObject::invokeMethod(this, &KeysBackOnEscape::LeaveBar, Qt::QueuedConnection);
    }
    return false;
  }

private:
  void Watch(QMenu *menu) {
    if (menu != nullptr)
      menu->installEventFilter(this);
  }

  void LeaveBar() {
    if (!bar_ || bar_->activeAction() == nullptr || QApplication::activePopupWidget() != nullptr)
      return; // the user has gone on: another drop-down, or the bar already let go
    // The Escape the bar waits for ends its keyboard mode and gives the focus
    // back to the widget that had it; with none, the window takes the keys.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(bar_, &escape);
    if (bar_->hasFocus())
      bar_->clearFocus();
  }

  QPointer<QMenuBar> bar_;
};

} // namespace

void GiveKeysBackOnMenuEscape(QMenuBar &bar) { new KeysBackOnEscape(bar); }

} // namespace platform
