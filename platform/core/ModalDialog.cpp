#include "platform/core/ModalDialog.h"

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QPointer>

namespace platform {

QWidget *KeyboardHome(QWidget *before) {
  if (before != nullptr && before->isVisible())
    return before;
  for (QWidget *topLevel : QApplication::topLevelWidgets())
    if (qobject_cast<QMainWindow *>(topLevel) != nullptr && topLevel->isVisible())
      return topLevel;
  return nullptr;
}

int RunModal(QDialog &dialog) {
  const QPointer<QWidget> before =
      QApplication::activeWindow() != nullptr ? QApplication::activeWindow() : dialog.parentWidget();
  const int result = dialog.exec();
  if (QWidget *home = KeyboardHome(before))
    home->activateWindow();
  return result;
}

} // namespace platform
