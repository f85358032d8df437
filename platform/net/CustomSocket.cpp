#include "platform/net/CustomSocket.h"

namespace platform {

void TCustomSocket::InitSocket(TCustomWinSocket &Socket) {
  Socket.SetOnSocketEvent(
      [this](TObject *, TCustomWinSocket *socket, TSocketEvent event) { Event(socket, event); });
  Socket.SetOnErrorEvent([this](TObject *, TCustomWinSocket *socket, TErrorEvent event, int &errorCode) {
    Error(socket, event, errorCode);
  });
}

void TCustomSocket::Event(TCustomWinSocket *Socket, TSocketEvent SocketEvent) {
  TSocketNotifyEvent handler;
  switch (SocketEvent) {
  case seLookup: handler = FOnLookup; break;
  case seConnecting: handler = FOnConnecting; break;
  case seConnect:
    StoreActive(true);
    handler = FOnConnect;
    break;
  case seDisconnect:
    StoreActive(false);
    handler = FOnDisconnect;
    break;
  case seListen:
    StoreActive(true);
    handler = FOnListen;
    break;
  case seAccept: handler = FOnAccept; break;
  default: break;
  }
  // A copy: the handler may replace itself.
  if (handler)
    handler(this, Socket);
}

void TCustomSocket::Error(TCustomWinSocket *Socket, TErrorEvent ErrorEvent, int &ErrorCode) {
  // Every failure but a refused accept has closed the socket by now: the
  // component can be switched on again.
  if (Socket && !Socket->Connected())
    StoreActive(false);
  if (const TSocketErrorEvent handler = FOnError)
    handler(this, Socket, ErrorEvent, ErrorCode);
}

} // namespace platform
