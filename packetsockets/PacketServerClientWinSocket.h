#pragma once
// One accepted connection of the packet server, with its own framing engine.
#include <algorithm>
#include <memory>

#include "packetsockets/SocketPacketRW.h"
#include "platform/net/ServerClientWinSocket.h"

namespace Zev {

class TPacketServerClientWinSocket : public platform::TServerClientWinSocket {
public:
  // The engine chains the listener's per-connection routines.
  TPacketServerClientWinSocket(int Socket, platform::TServerWinSocket *ServerWinSocket);
  // The engine goes first and gives the socket the listener's routines back.
  ~TPacketServerClientWinSocket() override;

  TPacketArrivedEvent GetOnPacketArrived() const { return FPacketRW->OnPacketArrived(); }
  void SetOnPacketArrived(TPacketArrivedEvent handler) { FPacketRW->SetOnPacketArrived(std::move(handler)); }

  void SendPacket(const void *data, int size) { FPacketRW->SendPacket(data, size); }
  void SendPacket(platform::TStream *stream, int size) { FPacketRW->SendPacket(stream, size); }
  platform::TStream *PacketBegin() { return FPacketRW->PacketBegin(); }
  void PacketEnd() { FPacketRW->PacketEnd(); }
  void PacketDiscard() { FPacketRW->PacketDiscard(); }

  const TSocketPacketRW &PacketRW() const { return *FPacketRW; }
  // Bytes queued here, not yet handed to the kernel (a peer that does not
  // read makes them pile up).
  std::int64_t QueuedBytes() const { return FPacketRW->WriteBuffer().Size(); }
  // Bytes the peer has taken so far: those handed to the kernel less those
  // the kernel still holds for the peer. This grows while a peer reads
  // slowly, when the kernel has not yet reported the socket writable again.
  std::uint64_t TakenBytes() const {
    const std::uint64_t handed = FPacketRW->HandedBytes();
    return handed - std::min<std::uint64_t>(UntakenBytes(), handed);
  }
  void SetSendGather(std::shared_ptr<TSendGather> gather) { FPacketRW->SetSendGather(std::move(gather)); }

private:
  std::unique_ptr<TSocketPacketRW> FPacketRW;
};

} // namespace Zev
