#pragma once
// A socket component: turns its socket's notifications into component events
// and keeps the Active flag in step with the connection (true from seConnect
// or seListen, false from seDisconnect).
#include "platform/net/AbstractSocket.h"
#include "platform/net/CustomWinSocket.h"

namespace platform {

class TCustomSocket : public TAbstractSocket {
public:
  void SetOnLookup(TSocketNotifyEvent handler) { FOnLookup = std::move(handler); }
  void SetOnConnecting(TSocketNotifyEvent handler) { FOnConnecting = std::move(handler); }
  void SetOnConnect(TSocketNotifyEvent handler) { FOnConnect = std::move(handler); }
  void SetOnDisconnect(TSocketNotifyEvent handler) { FOnDisconnect = std::move(handler); }
  void SetOnListen(TSocketNotifyEvent handler) { FOnListen = std::move(handler); }
  void SetOnAccept(TSocketNotifyEvent handler) { FOnAccept = std::move(handler); }
  void SetOnError(TSocketErrorEvent handler) { FOnError = std::move(handler); }

protected:
  TCustomSocket() = default;
  // Installs this component's event and error routines on the socket.
  void InitSocket(TCustomWinSocket &Socket);
  virtual void Event(TCustomWinSocket *Socket, TSocketEvent SocketEvent);
  // Leaves Active false once the socket is no longer open, then OnError.
  virtual void Error(TCustomWinSocket *Socket, TErrorEvent ErrorEvent, int &ErrorCode);

private:
  TSocketNotifyEvent FOnLookup;
  TSocketNotifyEvent FOnConnecting;
  TSocketNotifyEvent FOnConnect;
  TSocketNotifyEvent FOnDisconnect;
  TSocketNotifyEvent FOnListen;
  TSocketNotifyEvent FOnAccept;
  TSocketErrorEvent FOnError;
};

} // namespace platform
