#pragma once
// Vocabulary of the socket layer: the notifications a socket delivers, the
// failures it reports and the handler shapes that carry them.
#include <functional>

#include "platform/net/Object.h"
#include "platform/net/SocketError.h"

namespace platform {

class TCustomWinSocket;

enum TSocketEvent : int {
  seLookup,
  seConnecting,
  seConnect,
  seDisconnect,
  seListen,
  seAccept,
  seWrite,
  seRead
};

enum TErrorEvent : int { eeGeneral, eeSend, eeReceive, eeConnect, eeDisconnect, eeAccept, eeLookup };

// A socket's one notification handler; Sender is the socket itself unless a
// relay replaces it.
using TSocketEventEvent =
    std::function<void(TObject *Sender, TCustomWinSocket *Socket, TSocketEvent SocketEvent)>;
// An error handler; clearing ErrorCode stops the failure being raised.
using TSocketErrorEvent =
    std::function<void(TObject *Sender, TCustomWinSocket *Socket, TErrorEvent ErrorEvent, int &ErrorCode)>;
// Component-level notifications (OnConnect, OnAccept, ...).
using TSocketNotifyEvent = std::function<void(TObject *Sender, TCustomWinSocket *Socket)>;

} // namespace platform
