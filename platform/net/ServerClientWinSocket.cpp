#include "platform/net/ServerClientWinSocket.h"

#include "platform/net/ServerWinSocket.h"

namespace platform {

TServerClientWinSocket::TServerClientWinSocket(int, TServerWinSocket *ServerWinSocket)
    : FServerWinSocket(ServerWinSocket) {
  SetOnSocketEvent([server = ServerWinSocket](TObject *, TCustomWinSocket *Socket, TSocketEvent SocketEvent) {
    server->ClientEvent(Socket, SocketEvent);
  });
  SetOnErrorEvent(
      [server = ServerWinSocket](TObject *, TCustomWinSocket *Socket, TErrorEvent ErrorEvent,
                                 int &ErrorCode) { server->ClientError(Socket, ErrorEvent, ErrorCode); });
}

TServerClientWinSocket::~TServerClientWinSocket() = default;

void TServerClientWinSocket::Released() {
  if (auto *server = std::exchange(FServerWinSocket, nullptr))
    server->RemoveClient(this);
}

void TServerClientWinSocket::Detach() {
  Abandon();
  FServerWinSocket = nullptr;
}

} // namespace platform
