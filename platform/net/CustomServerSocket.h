#pragma once
// A listening socket component: on Active true it listens on Port (or Service)
// on all local addresses with a queue of 5; on Active false it closes the
// listener and every connection.
#include <memory>

#include "platform/net/CustomSocket.h"
#include "platform/net/ServerWinSocket.h"

namespace platform {

class TCustomServerSocket : public TCustomSocket {
public:
  ~TCustomServerSocket() override;

  TServerWinSocket *Socket() const { return FServerSocket.get(); }

  void SetOnClientConnect(TSocketNotifyEvent handler) {
    FServerSocket->SetOnClientConnect(std::move(handler));
  }
  void SetOnClientDisconnect(TSocketNotifyEvent handler) {
    FServerSocket->SetOnClientDisconnect(std::move(handler));
  }
  void SetOnClientError(TSocketErrorEvent handler) { FServerSocket->SetOnClientError(std::move(handler)); }

protected:
  // Creates the listening socket and installs this component's routines on it.
  TCustomServerSocket();
  void DoActivate(bool Value) override;

private:
  std::unique_ptr<TServerWinSocket> FServerSocket;
};

} // namespace platform
