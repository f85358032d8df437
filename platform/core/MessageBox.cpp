#include "platform/core/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include "platform/core/ModalDialog.h"

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
    return RunModal(box) == QMessageBox::Yes ? IDYES : IDNO;
  }
  box.setStandardButtons(QMessageBox::Ok);
  RunModal(box);
  return IDOK;
}

int ShowDialog(const MessageBoxRequest &request) {
  // Owned by the window the keyboard goes back to, so it shows over that one.
  QMessageBox box(KeyboardHome(QApplication::activeWindow()));
  return Ask(box, request);
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
