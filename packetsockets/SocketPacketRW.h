#pragma once
// The framing engine of one connection: a 32-bit little-endian signed length
// that counts its own four bytes, then the payload. It hooks the socket's
// notification handler (chaining the one it found), reassembles whole packets
// from the reads and queues what it cannot hand to the kernel at once.
//
// Re-entrancy: handlers may send, close the socket or run a nested event loop.
// A packet leaves the read buffer before its handler runs; while a handler runs,
// a nested read notification is left to the outer loop, so the payload stays
// where it is. A handler's exception leaves the engine at once (the socket
// layer reports it once the engine has unwound); the packets still buffered
// are delivered by the next read notification, which the socket layer runs
// after the report.
//
// Sends made while a delivery runs wait for its end when the engine belongs
// to a send gather (a server's connections): one write per connection for
// all that a read's packets made the handler send.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "packetsockets/PacketTypes.h"
#include "packetsockets/ReadBuffer.h"
#include "packetsockets/SendGather.h"
#include "platform/net/MemoryStream.h"

namespace Zev {

class TSocketPacketRW {
public:
  explicit TSocketPacketRW(platform::TCustomWinSocket *Socket);
  TSocketPacketRW(const TSocketPacketRW &) = delete;
  TSocketPacketRW &operator=(const TSocketPacketRW &) = delete;
  // Gives the socket its old handler back.
  ~TSocketPacketRW();

  // Detaches from the current socket and attaches to this one (may be null).
  void SetSocket(platform::TCustomWinSocket *Socket);
  platform::TCustomWinSocket *Socket() const { return FSocket; }

  // The hook installed on the socket: the chained handler first (after the
  // queues are emptied on seConnect), then reading or flushing.
  void SocketEvent(platform::TObject *Sender, platform::TCustomWinSocket *Socket,
                   platform::TSocketEvent SocketEvent);
  // Delivers what is already whole, then reads what is pending (up to a
  // bound; the rest brings the next notification) and delivers whole packets
  // after every read.
  void ReadEvent(platform::TObject *Sender, platform::TCustomWinSocket *Socket);
  // One SendBuf of everything queued before any open packet.
  void WriteEvent(platform::TObject *Sender, platform::TCustomWinSocket *Socket);
  // WriteEvent on the attached socket.
  void Flush() { WriteEvent(FSocket, FSocket); }
  // Delivers every whole packet at the head of the read buffer. A length word
  // below 4 or above MaxPacketLength closes Socket and raises
  // PacketSizeReadErrorText.
  void FirePacketArrived(platform::TObject *Sender, platform::TCustomWinSocket *Socket);

  // Queues one packet and flushes. A negative size, or data missing for a
  // positive one: PacketSizeInvalidText, nothing queued.
  void SendPacket(const void *data, int size);
  // Payload copied from the stream's current position; size 0 means the
  // stream's whole size, and a stream of size 0 then sends nothing. A stream
  // that runs short raises its read error with nothing queued.
  void SendPacket(platform::TStream *stream, int size);
  // Opens a packet at the end of the queue; write the payload into the
  // returned stream and leave its position at the payload's end.
  platform::TStream *PacketBegin();
  // Closes and flushes the open packet; an empty one is dropped.
  void PacketEnd();
  void PacketDiscard();
  bool PacketOpen() const { return FPacketStart >= 0; }

  TPacketArrivedEvent OnPacketArrived() const;
  void SetOnPacketArrived(TPacketArrivedEvent handler);
  // Joins a gather shared with other engines (null leaves it). Sends waiting
  // in the old one are flushed (or wait in the new one).
  void SetSendGather(std::shared_ptr<TSendGather> gather);

  // Bytes received and not yet delivered; bytes queued and not yet handed to
  // the kernel.
  std::size_t PendingReadSize() const { return FReadBuffer.size() - FReadHead; }
  const platform::TMemoryStream &WriteBuffer() const { return FWriteBuffer; }
  // Bytes handed to the kernel over the engine's life (the peer may not have
  // taken them yet).
  std::uint64_t HandedBytes() const { return FHandedBytes; }

private:
  void ClearQueues();
  void CheckNoOpenPacket() const;
  void AppendLength(std::int32_t length);
  void CompactReadBuffer();
  // Flushes now, or at the end of the gathered delivery under way.
  void FlushOrDefer();

  platform::TCustomWinSocket *FSocket = nullptr;
  // Received bytes; the undelivered ones start at FReadHead, at a packet boundary.
  TReadBuffer FReadBuffer;
  std::size_t FReadHead = 0;
  platform::TMemoryStream FWriteBuffer;
  std::uint64_t FHandedBytes = 0;
  std::shared_ptr<TSendGather> FSendGather;
  // Position of the open packet's length word in FWriteBuffer; -1 when none.
  std::int64_t FPacketStart = -1;
  // Held by shared pointer so a handler that replaces itself keeps running.
  std::shared_ptr<const platform::TSocketEventEvent> FOldSocketEvent;
  std::shared_ptr<const TPacketArrivedEvent> FOnPacketArrived;
  // Packet handlers on the stack.
  int FDelivering = 0;
  // A read notification came while a handler ran: the outer loop asks again.
  bool FReadMissed = false;
};

} // namespace Zev
