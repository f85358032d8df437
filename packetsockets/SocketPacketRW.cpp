#include "packetsockets/SocketPacketRW.h"

#include <algorithm>
#include <array>
#include <climits>
#include <utility>

#include "platform/core/Exception.h"

namespace Zev {

using platform::TCustomWinSocket;
using platform::TObject;

namespace {
// Largest single read; with the length cap it bounds the read buffer.
constexpr int ReadChunk = 64 * 1024;
// Most read in one notification. A peer that sends without pause cannot keep
// the event loop from the other connections (whose readers then fall behind
// and look stalled); what is left brings the next notification.
constexpr std::size_t ReadPerNotification = 4 * ReadChunk;

std::int32_t LengthAt(const std::byte *p) {
  const std::uint32_t value =
      std::to_integer<std::uint32_t>(p[0]) | std::to_integer<std::uint32_t>(p[1]) << 8 |
      std::to_integer<std::uint32_t>(p[2]) << 16 | std::to_integer<std::uint32_t>(p[3]) << 24;
  return static_cast<std::int32_t>(value);
}

class DeliveryScope {
public:
  explicit DeliveryScope(int &depth) : FDepth(depth) { ++FDepth; }
  ~DeliveryScope() { --FDepth; }
  DeliveryScope(const DeliveryScope &) = delete;
  DeliveryScope &operator=(const DeliveryScope &) = delete;

private:
  int &FDepth;
};

// A delivery of a gather's engine: the sends it makes leave at its end. Holds
// the gather, whatever a handler does to the engine's.
class GatherScope {
public:
  explicit GatherScope(std::shared_ptr<TSendGather> gather) : FGather(std::move(gather)) {
    if (FGather)
      FGather->Begin();
  }
  // Left by an exception: the handler's failure is the one reported.
  ~GatherScope() {
    try {
      End();
    } catch (...) {
    }
  }
  GatherScope(const GatherScope &) = delete;
  GatherScope &operator=(const GatherScope &) = delete;

  void End() {
    if (const std::shared_ptr<TSendGather> gather = std::exchange(FGather, nullptr))
      gather->End();
  }

private:
  std::shared_ptr<TSendGather> FGather;
};
} // namespace

TSocketPacketRW::TSocketPacketRW(TCustomWinSocket *Socket) {
  // A queue that keeps up holds less than the largest packet: a block of that
  // size stays as it drains, rather than being given back and grown again on
  // every write.
  FWriteBuffer.SetKeptCapacity(MaxPacketLength);
  SetSocket(Socket);
}

TSocketPacketRW::~TSocketPacketRW() {
  if (FSendGather)
    FSendGather->Forget(*this);
  SetSocket(nullptr);
}

void TSocketPacketRW::SetSocket(TCustomWinSocket *Socket) {
  if (FSocket)
    FSocket->SetOnSocketEvent(FOldSocketEvent ? *FOldSocketEvent : nullptr);
  FSocket = Socket;
  FOldSocketEvent.reset();
  if (!Socket)
    return;
  if (auto old = Socket->OnSocketEvent())
    FOldSocketEvent = std::make_shared<const platform::TSocketEventEvent>(std::move(old));
  Socket->SetOnSocketEvent([this](TObject *Sender, TCustomWinSocket *socket, platform::TSocketEvent event) {
    SocketEvent(Sender, socket, event);
  });
}

void TSocketPacketRW::SocketEvent(TObject *Sender, TCustomWinSocket *Socket,
                                  platform::TSocketEvent SocketEvent) {
  // Emptied before the chained handler, so what its OnConnect sends survives.
  if (SocketEvent == platform::seConnect)
    ClearQueues();
  if (const auto old = FOldSocketEvent)
    (*old)(Sender, Socket, SocketEvent);
  if (SocketEvent == platform::seRead)
    ReadEvent(Sender, Socket);
  else if (SocketEvent == platform::seWrite)
    WriteEvent(Sender, Socket);
}

void TSocketPacketRW::ReadEvent(TObject *Sender, TCustomWinSocket *Socket) {
  // Inside a handler's nested event loop: the outer loop reads on after it.
  if (FDelivering > 0) {
    FReadMissed = true;
    return;
  }
  if (!Socket)
    return;
  // Whole packets left behind by a handler that failed go first.
  FirePacketArrived(Sender, Socket);
  // Read first and ask how much is pending only after a read that filled its
  // room: a notification mostly brings a few bytes, and asking is a system call.
  int want = ReadChunk;
  std::size_t total = 0;
  for (;;) {
    CompactReadBuffer();
    const std::size_t old = FReadBuffer.size();
    FReadBuffer.resize(old + static_cast<std::size_t>(want));
    int got = 0;
    try {
      got = Socket->ReceiveBuf(FReadBuffer.data() + old, want);
    } catch (...) {
      FReadBuffer.resize(old);
      throw;
    }
    if (got != want)
      FReadBuffer.resize(old + static_cast<std::size_t>(std::max(got, 0)));
    FirePacketArrived(Sender, Socket);
    if (got <= 0)
      break;
    // Everything pending has been read: what arrives later brings its own
    // notification, unless one was missed while a handler ran.
    if (got < want && !std::exchange(FReadMissed, false))
      break;
    total += static_cast<std::size_t>(got);
    if (total >= ReadPerNotification)
      break;
    const int pending = Socket->ReceiveLength();
    if (pending <= 0)
      break;
    want = std::min(pending, ReadChunk);
  }
}

void TSocketPacketRW::FirePacketArrived(TObject *Sender, TCustomWinSocket *Socket) {
  if (FDelivering > 0)
    return;
  {
    DeliveryScope delivering(FDelivering);
    GatherScope gather(FSendGather);
    for (;;) {
      const std::size_t available = FReadBuffer.size() - FReadHead;
      if (available < PacketHeaderSize)
        break;
      const std::int32_t length = LengthAt(FReadBuffer.data() + FReadHead);
      if (length < PacketHeaderSize || length > MaxPacketLength) {
        // The stream has lost its framing: nothing after this word is usable.
        FReadBuffer.clear();
        FReadHead = 0;
        if (Socket)
          Socket->Close();
        throw platform::Exception(PacketSizeReadErrorText);
      }
      if (static_cast<std::size_t>(length) > available)
        break;
      const std::byte *payload = FReadBuffer.data() + FReadHead + PacketHeaderSize;
      // Removed before its handler runs: a handler that throws does not get
      // it again. Its exception leaves at once, to be reported; the packets
      // behind it wait for the next read notification.
      FReadHead += static_cast<std::size_t>(length);
      if (const auto handler = FOnPacketArrived)
        (*handler)(Sender, Socket, payload, length - PacketHeaderSize);
    }
    gather.End();
  }
  if (FReadHead == FReadBuffer.size()) {
    FReadBuffer.clear();
    FReadHead = 0;
  }
}

void TSocketPacketRW::CompactReadBuffer() {
  if (FReadHead == 0)
    return;
  FReadBuffer.EraseFront(FReadHead);
  FReadHead = 0;
}

void TSocketPacketRW::WriteEvent(TObject *, TCustomWinSocket *Socket) {
  if (!Socket)
    return;
  // An open packet is not sent until it is closed.
  std::int64_t sendable = FWriteBuffer.Size();
  if (FPacketStart >= 0)
    sendable = std::min(sendable, FPacketStart);
  if (sendable <= 0)
    return;
  const int sent =
      Socket->SendBuf(FWriteBuffer.Memory(), static_cast<int>(std::min<std::int64_t>(sendable, INT_MAX)));
  if (sent < 1)
    return;
  FWriteBuffer.RemoveFront(sent);
  FHandedBytes += static_cast<std::uint64_t>(sent);
  if (FPacketStart >= 0)
    FPacketStart -= sent;
}

void TSocketPacketRW::FlushOrDefer() {
  if (FSendGather && FSendGather->Gathering())
    FSendGather->Defer(*this);
  else
    Flush();
}

void TSocketPacketRW::ClearQueues() {
  // clear() keeps the allocation: a running handler's payload stays readable.
  FReadBuffer.clear();
  FReadHead = 0;
  // A packet being built is kept; only what was queued before it is dropped.
  if (FPacketStart >= 0) {
    FWriteBuffer.RemoveFront(FPacketStart);
    FPacketStart = 0;
  } else {
    FWriteBuffer.Clear();
  }
}

void TSocketPacketRW::CheckNoOpenPacket() const {
  if (FPacketStart >= 0)
    throw platform::Exception(PacketAlreadyOpenText);
}

void TSocketPacketRW::AppendLength(std::int32_t length) {
  const auto value = static_cast<std::uint32_t>(length);
  const std::array<std::byte, PacketHeaderSize> word{std::byte(value & 0xFF), std::byte(value >> 8 & 0xFF),
                                                     std::byte(value >> 16 & 0xFF),
                                                     std::byte(value >> 24 & 0xFF)};
  FWriteBuffer.WriteBuffer(word.data(), word.size());
}

void TSocketPacketRW::SendPacket(const void *data, int size) {
  CheckNoOpenPacket();
  if (size < 0 || size > MaxPacketLength - PacketHeaderSize || (size > 0 && !data))
    throw platform::Exception(PacketSizeInvalidText);
  FWriteBuffer.Seek(0, platform::soEnd);
  AppendLength(size + PacketHeaderSize);
  FWriteBuffer.WriteBuffer(data, size);
  FlushOrDefer();
}

void TSocketPacketRW::SendPacket(platform::TStream *stream, int size) {
  CheckNoOpenPacket();
  if (size < 0)
    throw platform::Exception(PacketSizeInvalidText);
  const std::int64_t count = size > 0 ? size : stream ? stream->Size() : 0;
  if (count == 0)
    return;
  if (!stream)
    throw platform::Exception(platform::StreamReadErrorText);
  if (count > MaxPacketLength - PacketHeaderSize)
    throw platform::Exception(PacketSizeInvalidText);
  const std::int64_t start = FWriteBuffer.Seek(0, platform::soEnd);
  AppendLength(static_cast<std::int32_t>(count + PacketHeaderSize));
  try {
    FWriteBuffer.CopyFrom(*stream, count);
  } catch (...) {
    // Never a length word without its payload.
    FWriteBuffer.SetSize(start);
    throw;
  }
  FlushOrDefer();
}

platform::TStream *TSocketPacketRW::PacketBegin() {
  CheckNoOpenPacket();
  FPacketStart = FWriteBuffer.Seek(0, platform::soEnd);
  AppendLength(0);
  return &FWriteBuffer;
}

void TSocketPacketRW::PacketEnd() {
  if (FPacketStart < 0)
    throw platform::Exception(PacketNotOpenText);
  // The packet ends at the position; bytes beyond it would corrupt the framing.
  const std::int64_t end = std::max(FWriteBuffer.Position(), FPacketStart + PacketHeaderSize);
  FWriteBuffer.SetSize(end);
  const std::int64_t length = end - FPacketStart;
  if (length == PacketHeaderSize) {
    PacketDiscard();
    return;
  }
  if (length > MaxPacketLength) {
    PacketDiscard();
    throw platform::Exception(PacketSizeInvalidText);
  }
  FWriteBuffer.Seek(FPacketStart, platform::soBeginning);
  AppendLength(static_cast<std::int32_t>(length));
  FWriteBuffer.Seek(0, platform::soEnd);
  FPacketStart = -1;
  FlushOrDefer();
}

void TSocketPacketRW::PacketDiscard() {
  if (FPacketStart < 0)
    return;
  FWriteBuffer.SetSize(FPacketStart);
  FPacketStart = -1;
}

TPacketArrivedEvent TSocketPacketRW::OnPacketArrived() const {
  return FOnPacketArrived ? *FOnPacketArrived : nullptr;
}

void TSocketPacketRW::SetSendGather(std::shared_ptr<TSendGather> gather) {
  // Sends waiting in the old gather go out now, or wait in the new one.
  const bool waiting = FSendGather && FSendGather->Forget(*this);
  FSendGather = std::move(gather);
  if (waiting)
    FlushOrDefer();
}

void TSocketPacketRW::SetOnPacketArrived(TPacketArrivedEvent handler) {
  FOnPacketArrived = handler ? std::make_shared<const TPacketArrivedEvent>(std::move(handler)) : nullptr;
}

} // namespace Zev
