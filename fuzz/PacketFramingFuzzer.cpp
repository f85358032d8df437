// Feeds random reads, sends, packet building, short writes, connects and
// handler behaviour to the framing engine over an in-memory socket, and
// checks it against a plain reference decoder: every whole packet received
// is delivered once, in order; what reaches the wire decodes into exactly the
// packets sent; the read buffer stays within the length cap. The engine
// shares a send gather with a second one, as a server's connections do, and
// its handler sends on both.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "packetsockets/SocketPacketRW.h"
#include "platform/net/MemoryStream.h"
#include "tests/support/FakeWinSocket.h"

namespace {

using Bytes = std::string;

void Require(bool condition, const char *what) {
  if (!condition) {
    std::fprintf(stderr, "framing fuzzer: %s\n", what);
    std::abort();
  }
}

std::int32_t LengthAt(const Bytes &bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return static_cast<std::int32_t>(value);
}

struct Harness {
  explicit Harness(FuzzedDataProvider &input) : input(input) {
    engine.SetSendGather(gather);
    peer.SetSendGather(gather);
    engine.SetOnPacketArrived(
        [this](platform::TObject *, platform::TCustomWinSocket *, const void *data, int size) {
          Require(size >= 0, "negative payload size");
          Require(!expected.empty(), "a packet delivered that was never whole");
          Require(expected.front().size() == static_cast<std::size_t>(size) &&
                      std::memcmp(expected.front().data(), data, expected.front().size()) == 0,
                  "a packet delivered wrong or out of order");
          expected.pop_front();
          React();
        });
  }

  // What a handler may do: nothing, answer, close, fail.
  void React() {
    switch (input.ConsumeIntegralInRange<int>(0, 5)) {
    case 0: Send(input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, 16))); break;
    case 1: socket.Close(); break;
    case 3: { // a relay's answer: the same packet to the other connection too
      const Bytes payload = input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, 16));
      peer.SendPacket(payload.data(), static_cast<int>(payload.size()));
      peerSent.push_back(payload);
      Send(payload);
      break;
    }
    case 2: throw std::runtime_error("handler failed");
    default: break;
    }
  }

  void Send(const Bytes &payload) {
    try {
      engine.SendPacket(payload.data(), static_cast<int>(payload.size()));
      sent.push_back(payload);
    } catch (const std::exception &) {
      Require(engine.PacketOpen(), "a send failed without a packet open");
    }
  }

  // Bytes arriving while connected; one read notification.
  void Arrive(const Bytes &bytes) {
    if (socket.connected) {
      socket.pending += bytes;
      Decode(bytes);
    }
    Notify(platform::seRead);
    Require(engine.PendingReadSize() <= static_cast<std::size_t>(Zev::MaxPacketLength) + 64 * 1024,
            "read buffer beyond the cap");
  }

  void Notify(platform::TSocketEvent event) {
    try {
      socket.Event(&socket, event);
    } catch (const std::exception &) {
    }
  }

  void Connect() {
    socket.connected = true;
    socket.pending.clear();
    Notify(platform::seConnect);
    // A new connection: a fresh stream each way.
    tail.clear();
    expected.clear();
    badSeen = false;
    socket.wire.clear();
    sent.clear();
  }

  // The reference decoder: every whole packet of the stream so far, in order,
  // up to the first bad length word.
  void Decode(const Bytes &bytes) {
    if (badSeen)
      return;
    tail += bytes;
    std::size_t at = 0;
    while (tail.size() - at >= 4) {
      const std::int32_t length = LengthAt(tail, at);
      if (length < 4 || length > Zev::MaxPacketLength) {
        badSeen = true;
        break;
      }
      if (static_cast<std::size_t>(length) > tail.size() - at)
        break;
      expected.push_back(tail.substr(at + 4, static_cast<std::size_t>(length) - 4));
      at += static_cast<std::size_t>(length);
    }
    tail.erase(0, at);
  }

  void BuildPacket() {
    try {
      platform::TStream *out = engine.PacketBegin();
      const Bytes payload = input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, 32));
      out->WriteBuffer(payload.data(), static_cast<std::int64_t>(payload.size()));
      if (input.ConsumeBool()) {
        engine.PacketDiscard();
        return;
      }
      if (input.ConsumeBool())
        Send("between"); // refused while a packet is open
      engine.PacketEnd();
      if (!payload.empty())
        sent.push_back(payload);
    } catch (const std::exception &) {
      engine.PacketDiscard();
    }
  }

  void SendStream() {
    platform::TMemoryStream stream;
    const Bytes content = input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, 32));
    stream.WriteBuffer(content.data(), static_cast<std::int64_t>(content.size()));
    const auto position =
        input.ConsumeIntegralInRange<std::int64_t>(0, static_cast<std::int64_t>(content.size()));
    stream.SetPosition(position);
    const int size = input.ConsumeIntegralInRange<int>(-1, 40);
    try {
      engine.SendPacket(&stream, size);
      const std::size_t count = size == 0 ? content.size() : static_cast<std::size_t>(size);
      if (count > 0)
        sent.push_back(content.substr(static_cast<std::size_t>(position), count));
    } catch (const std::exception &) {
    }
  }

  void Finish() {
    // Whatever is whole comes out with the next read notification, unless the
    // stream went bad or the socket was closed.
    // A notification reads a bounded amount; the rest brings the next one.
    if (socket.connected && !badSeen) {
      for (int i = 0; i < 64 && !expected.empty(); ++i)
        Notify(platform::seRead);
      Require(expected.empty(), "a whole packet was not delivered");
    }
    // Flush everything queued; the wire must hold exactly the packets sent.
    if (engine.PacketOpen())
      engine.PacketDiscard();
    socket.connected = true;
    socket.sendLimits.clear();
    for (int i = 0; i < 4 && engine.WriteBuffer().Size() > 0; ++i)
      Notify(platform::seWrite);
    Require(engine.WriteBuffer().Size() == 0, "queue not flushed");
    Bytes expected;
    for (const auto &payload : sent)
      expected += frames::Framed(payload);
    Require(socket.wire == expected, "wire bytes differ from the packets sent");
    // Nothing a delivery gathered for the other connection is left behind.
    Require(peer.WriteBuffer().Size() == 0, "a gathered send was not flushed");
    Bytes peerExpected;
    for (const auto &payload : peerSent)
      peerExpected += frames::Framed(payload);
    Require(peerSocket.wire == peerExpected, "the other connection's bytes differ");
  }

  FuzzedDataProvider &input;
  fakes::FakeWinSocket socket;
  Zev::TSocketPacketRW engine{&socket};
  std::shared_ptr<Zev::TSendGather> gather = std::make_shared<Zev::TSendGather>();
  fakes::FakeWinSocket peerSocket; // takes everything
  Zev::TSocketPacketRW peer{&peerSocket};
  std::vector<Bytes> peerSent;
  Bytes tail;                 // received bytes not yet a whole packet
  std::deque<Bytes> expected; // whole packets not yet delivered
  std::vector<Bytes> sent;
  bool badSeen = false;
  std::size_t fillerBudget = 4 << 20; // keeps one input's work bounded
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  Harness h(input);
  while (input.remaining_bytes() > 0) {
    switch (input.ConsumeIntegralInRange<int>(0, 9)) {
    case 0:
    case 1: h.Arrive(input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, 64))); break;
    case 2: { // a length word, often a large one, then filler: pushes against the cap
      const auto length = input.ConsumeIntegral<std::int32_t>();
      Bytes word;
      for (int i = 0; i < 4; ++i)
        word.push_back(static_cast<char>(static_cast<std::uint32_t>(length) >> (8 * i) & 0xFF));
      const auto filler = std::min(input.ConsumeIntegralInRange<std::size_t>(0, 300000), h.fillerBudget);
      h.fillerBudget -= filler;
      h.Arrive(word + Bytes(filler, 'f'));
      break;
    }
    case 3: h.Send(input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, 32))); break;
    case 4: h.BuildPacket(); break;
    case 5: h.SendStream(); break;
    case 6:
      h.socket.sendLimits.push_back(input.ConsumeIntegralInRange<int>(-1, 12));
      h.Notify(platform::seWrite);
      break;
    case 7: h.socket.sendLimits.push_back(input.ConsumeIntegralInRange<int>(-1, 12)); break;
    case 8: h.Connect(); break;
    case 9: h.socket.Close(); break;
    }
  }
  h.Finish();
  return 0;
}
