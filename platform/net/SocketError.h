#pragma once
// The socket layer's exception: a failed system call with its error code, or a
// misuse of a socket component.
#include <string>

#include "platform/core/Exception.h"

namespace platform {

class ESocketError : public Exception {
public:
  explicit ESocketError(const std::string &message, int errorCode = 0)
      : Exception(message), FErrorCode(errorCode) {}
  // errno for system calls, a getaddrinfo code (negative) for look-ups, 0 otherwise.
  int ErrorCode() const { return FErrorCode; }

private:
  int FErrorCode;
};

// "ソケットエラー 111: Connection refused (connect)"
std::string SocketErrorText(int errorCode, const std::string &api);

// Raised when an address-less client is opened.
inline const char *const NoAddressText = "アドレスが指定されていません.";
// Raised when a connection property is changed while the socket is active.
inline const char *const CantChangeWhileActiveText = "ソケットがアクティブな間は値を変更できません.";

} // namespace platform
