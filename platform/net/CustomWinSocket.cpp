#include "platform/net/CustomWinSocket.h"

namespace platform {

void TCustomWinSocket::Event(TCustomWinSocket *Socket, TSocketEvent SocketEvent) {
  // A copy: the handler may replace itself (an engine detaching) while it runs.
  if (const TSocketEventEvent handler = FOnSocketEvent)
    handler(this, Socket, SocketEvent);
}

int TCustomWinSocket::Error(TErrorEvent ErrorEvent, int ErrorCode) {
  if (const TSocketErrorEvent handler = FOnErrorEvent)
    handler(this, this, ErrorEvent, ErrorCode);
  return ErrorCode;
}

} // namespace platform
