#include "platform/core/MessageBox.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QString>

namespace platform {

namespace {
MessageBoxResponder &Responder() {
  static MessageBoxResponder responder; // the application's one message-box route
  return responder;
}

int Ask(QMessageBox &box, const MessageBoxRequest &request) {
  box.setText(QString::fromStdString(request.text));
  box.setWindowTitle(request.caption.empty() ? QApplication::applicationName()
                                             : QString::fromStdString(request.caption));
  switch (request.flags & 0xF0) {
  case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
  case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
  case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
  default: break;
  }
  if ((request.flags & 0x0F) == MB_YESNO) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? IDYES : IDNO;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return IDOK;
}

// The window that gets the keyboard back: the one that had it, or the
// application's main window where that one has hidden (a dialog that hides as
// it starts what then fails) or Qt no longer counts any window as active.
QWidget *KeyboardHome(QWidget *window) {
  if (window != nullptr && window->isVisible())
    return window;
  for (QWidget *topLevel : QApplication::topLevelWidgets())
    if (qobject_cast<QMainWindow *>(topLevel) != nullptr && topLevel->isVisible())
      return topLevel;
  return nullptr;
}

int ShowDialog(const MessageBoxRequest &request) {
  const QPointer<QWidget> active = QApplication::activeWindow();
  int answer = IDOK;
  {
    QMessageBox box(KeyboardHome(active));
    answer = Ask(box, request);
  }
  // Also where no window manager hands the keyboard on.
  if (QWidget *home = KeyboardHome(active))
    home->activateWindow();
  return answer;
}
} // namespace

int ShowMessageBox(const std::string &text, const std::string &caption, int flags) {
  MessageBoxRequest request{text, caption, flags};
  if (Responder())
    return Responder()(request);
  return ShowDialog(request);
}

MessageBoxResponder SetMessageBoxResponder(MessageBoxResponder responder) {
  return std::exchange(Responder(), std::move(responder));
}

} // namespace platform
