#include "platform/net/CustomServerSocket.h"

namespace platform {

namespace {
constexpr int ListenQueueSize = 5;
}

TCustomServerSocket::TCustomServerSocket() : FServerSocket(std::make_unique<TServerWinSocket>()) {
  InitSocket(*FServerSocket);
}

TCustomServerSocket::~TCustomServerSocket() {
  // No notification reaches a component being destroyed.
  FServerSocket->SetOnSocketEvent(nullptr);
  FServerSocket->SetOnErrorEvent(nullptr);
}

void TCustomServerSocket::DoActivate(bool Value) {
  if (Value == FServerSocket->Connected()) {
    StoreActive(Value);
    return;
  }
  if (Value) {
    FServerSocket->Listen(Service(), Port(), ListenQueueSize);
  } else {
    FServerSocket->Close();
    StoreActive(false);
  }
}

} // namespace platform
