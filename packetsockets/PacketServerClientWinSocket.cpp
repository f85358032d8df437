#include "packetsockets/PacketServerClientWinSocket.h"

namespace Zev {

TPacketServerClientWinSocket::TPacketServerClientWinSocket(int Socket,
                                                           platform::TServerWinSocket *ServerWinSocket)
    : TServerClientWinSocket(Socket, ServerWinSocket), FPacketRW(std::make_unique<TSocketPacketRW>(this)) {}

TPacketServerClientWinSocket::~TPacketServerClientWinSocket() { FPacketRW.reset(); }

} // namespace Zev
