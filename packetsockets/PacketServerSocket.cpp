#include "packetsockets/PacketServerSocket.h"

#include <array>
#include <exception>
#include <span>
#include <vector>

#include "platform/core/Exception.h"

namespace Zev {

using platform::TCustomWinSocket;

namespace {
TPacketServerClientWinSocket *PacketSocket(TCustomWinSocket *Socket) {
  auto *packetSocket = dynamic_cast<TPacketServerClientWinSocket *>(Socket);
  if (!packetSocket)
    throw platform::Exception(NotPacketSocketText);
  return packetSocket;
}
} // namespace

TPacketServerSocket::TPacketServerSocket() {
  Socket()->SetOnGetSocket([this](platform::TObject *Sender, int socket,
                                  std::unique_ptr<platform::TServerClientWinSocket> &client) {
    GetSocketEvent(Sender, socket, client);
  });
}

void TPacketServerSocket::GetSocketEvent(platform::TObject *Sender, int Socket,
                                         std::unique_ptr<platform::TServerClientWinSocket> &ClientSocket) {
  if (const auto handler = FOnGetSocket)
    handler(Sender, Socket, ClientSocket);
  if (!ClientSocket)
    ClientSocket = std::make_unique<TPacketServerClientWinSocket>(Socket, this->Socket());
  // Hooked before the connection is listed, so no listed connection lacks it.
  TPacketServerClientWinSocket *connection = PacketSocket(ClientSocket.get());
  connection->SetOnPacketArrived([this](platform::TObject *sender, TCustomWinSocket *socket, const void *data,
                                        int size) { PacketArrivedEvent(sender, socket, data, size); });
  connection->SetSendGather(FSendGather);
}

void TPacketServerSocket::PacketArrivedEvent(platform::TObject *, TCustomWinSocket *Socket, const void *data,
                                             int size) {
  if (const auto handler = FOnPacketArrived)
    handler(this, Socket, data, size);
}

TPacketServerClientWinSocket *TPacketServerSocket::GetClientSocket(int index) const {
  return PacketSocket(Socket()->Connections(index));
}

void TPacketServerSocket::SendPacket(TCustomWinSocket *Socket, const void *data, int size) {
  PacketSocket(Socket)->SendPacket(data, size);
}

void TPacketServerSocket::SendPacket(TCustomWinSocket *Socket, platform::TStream *stream, int size) {
  PacketSocket(Socket)->SendPacket(stream, size);
}

template <typename Send>
void TPacketServerSocket::ForEachConnection(const TCustomWinSocket *Except, Send send) {
  // A send can close a connection (taking it off the list), and a handler can
  // run while it does: walk a snapshot and skip the ones no longer listed.
  // It is taken for every packet, so a few connections stay off the heap.
  const auto count = static_cast<std::size_t>(ActiveConnections());
  std::array<TCustomWinSocket *, 8> few{};
  std::vector<TCustomWinSocket *> many(count > few.size() ? count : 0);
  const std::span<TCustomWinSocket *> snapshot(many.empty() ? few.data() : many.data(), count);
  for (std::size_t i = 0; i < count; ++i)
    snapshot[i] = Socket()->Connections(static_cast<int>(i));
  std::exception_ptr firstFailure;
  for (TCustomWinSocket *connection : snapshot) {
    if (connection == Except || !Socket()->HasConnection(connection))
      continue;
    try {
      send(connection);
    } catch (...) {
      if (!firstFailure)
        firstFailure = std::current_exception();
    }
  }
  if (firstFailure)
    std::rethrow_exception(firstFailure);
}

void TPacketServerSocket::SendPacketToAll(const void *data, int size) {
  SendPacketToAllExcept(nullptr, data, size);
}

void TPacketServerSocket::SendPacketToAll(platform::TStream *stream, int size) {
  SendPacketToAllExcept(nullptr, stream, size);
}

void TPacketServerSocket::SendPacketToAllExcept(TCustomWinSocket *Except, const void *data, int size) {
  ForEachConnection(Except, [&](TCustomWinSocket *connection) { SendPacket(connection, data, size); });
}

void TPacketServerSocket::SendPacketToAllExcept(TCustomWinSocket *Except, platform::TStream *stream,
                                                int size) {
  const std::int64_t start = stream ? stream->Position() : 0;
  ForEachConnection(Except, [&](TCustomWinSocket *connection) {
    if (stream)
      stream->SetPosition(start);
    SendPacket(connection, stream, size);
  });
}

} // namespace Zev
