#pragma once
// The application's message box: questions (yes/no), errors and notices.
// Tests replace the responder so no blocking dialog ever opens.
#include <functional>
#include <string>

namespace platform {

// Button and icon flags, combined with |, and the answers.
enum MessageBoxFlags : int {
  MB_OK = 0x00,
  MB_YESNO = 0x04,
  MB_ICONERROR = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONEXCLAMATION = 0x30,
};
enum MessageBoxAnswer : int { IDOK = 1, IDYES = 6, IDNO = 7 };

struct MessageBoxRequest {
  std::string text;
  std::string caption; // empty: no caption of its own
  int flags = MB_OK;
};

using MessageBoxResponder = std::function<int(const MessageBoxRequest &)>;

// Shows a message box and returns the answer. Runs a modal dialog unless a
// responder is installed.
int ShowMessageBox(const std::string &text, const std::string &caption, int flags);

// Installs a responder (tests); returns the previous one. An empty responder
// restores the real dialog.
MessageBoxResponder SetMessageBoxResponder(MessageBoxResponder responder);

} // namespace platform
