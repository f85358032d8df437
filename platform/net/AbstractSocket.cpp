#include "platform/net/AbstractSocket.h"

#include "platform/net/SocketError.h"

namespace platform {

void TAbstractSocket::SetActive(bool Value) {
  if (FLoading) {
    FActive = Value;
    return;
  }
  if (Value != FActive)
    DoActivate(Value);
}

void TAbstractSocket::CheckChange() const {
  if (FActive && !FLoading)
    throw ESocketError(CantChangeWhileActiveText);
}

void TAbstractSocket::SetHost(const std::string &Value) {
  if (Value == FHost)
    return;
  CheckChange();
  FHost = Value;
}

void TAbstractSocket::SetAddress(const std::string &Value) {
  if (Value == FAddress)
    return;
  CheckChange();
  FAddress = Value;
}

void TAbstractSocket::SetPort(int Value) {
  if (Value == FPort)
    return;
  CheckChange();
  FPort = Value;
}

void TAbstractSocket::SetService(const std::string &Value) {
  if (Value == FService)
    return;
  CheckChange();
  FService = Value;
}

} // namespace platform
