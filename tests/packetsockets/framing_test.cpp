// The framing engine over an in-memory socket: wire format, reassembly,
// invalid lengths, queueing and short sends, packets built in place, handlers,
// and the gather that relays one read's packets in one write per connection.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <memory>
#include <stdexcept>

#include "packetsockets/SocketPacketRW.h"
#include "tests/support/FakeWinSocket.h"
#include "tests/support/ErrorOf.h"

using fakes::FakeWinSocket;
using frames::Framed;
using frames::LengthWord;
using frames::Text;
using testsupport::ErrorOf;
using Texts = std::vector<std::string>;

namespace {

const std::string kSetudan("setudan", 8); // the NUL travels too

// An engine on a fake socket that records every packet it delivers.
struct Engine {
  FakeWinSocket socket;
  Zev::TSocketPacketRW engine{&socket};
  Texts packets;
  std::vector<platform::TObject *> senders;

  Engine() {
    engine.SetOnPacketArrived([this](platform::TObject *sender, auto *, const void *data, int size) {
      packets.push_back(Text(data, size));
      senders.push_back(sender);
    });
  }
};

TEST(FramingWire, ExactBytesOfEmptyAbcAndSetudan) {
  Engine e;
  for (const auto &[payload, bytes] : {std::pair{std::string(), std::string("\4\0\0\0", 4)},
                                       {"abc", std::string("\7\0\0\0abc", 7)},
                                       {kSetudan, std::string("\x0c\0\0\0setudan\0", 12)}}) {
    e.socket.wire.clear();
    e.engine.SendPacket(payload.data(), static_cast<int>(payload.size()));
    EXPECT_EQ(e.socket.wire, bytes);
  }
  EXPECT_EQ(e.engine.WriteBuffer().Size(), 0);
}

TEST(FramingReassembly, SplitAtEveryByte) {
  const std::string stream = Framed("") + Framed("abc") + Framed(kSetudan);
  for (std::size_t split = 1; split < stream.size(); ++split) {
    Engine e;
    e.socket.Deliver(stream.substr(0, split));
    // Only packets whose last byte has arrived (they end at 4, 11 and 23).
    EXPECT_EQ(e.packets.size(), std::size_t{split >= 4} + (split >= 11) + (split >= 23)) << "split " << split;
    e.socket.Deliver(stream.substr(split));
    ASSERT_EQ(e.packets, (Texts{"", "abc", kSetudan})) << "split " << split;
    EXPECT_EQ(e.engine.PendingReadSize(), 0u);
  }
}

TEST(FramingReassembly, OneReadSeveralPacketsInOrderFromTheSocketHandledOrNot) {
  Engine e;
  e.socket.Deliver(Framed("one") + Framed("") + Framed("three"));
  EXPECT_EQ(e.packets, (Texts{"one", "", "three"}));
  EXPECT_EQ(e.senders, std::vector<platform::TObject *>(3, &e.socket));
  // Two packets of 100 KiB in one notification: more than one read's worth.
  const std::string big(100 * 1024, 'x');
  e.socket.Deliver(Framed(big) + Framed(big + "y"));
  ASSERT_EQ(e.packets.size(), 5u);
  EXPECT_TRUE(e.packets[3] == big && e.packets[4] == big + "y");
  // Without a handler whole packets are still taken off the buffer.
  e.engine.SetOnPacketArrived(nullptr);
  e.socket.Deliver(Framed("a") + Framed("b") + Framed("c").substr(0, 2));
  EXPECT_EQ(e.engine.PendingReadSize(), 2u);
}

// A length word below the header's size or above the cap closes the socket
// (its old handler hears of it) and raises, after the valid packets before it.
TEST(FramingReassembly, InvalidLengthClosesAndRaisesWithoutHandlerCall) {
  for (std::int32_t length : {0, -1, 1, 2, 3, INT_MIN, Zev::MaxPacketLength + 1, INT_MAX}) {
    SCOPED_TRACE(length);
    FakeWinSocket socket;
    bool disconnected = false;
    socket.SetOnSocketEvent([&](auto *, auto *, platform::TSocketEvent event) {
      disconnected = disconnected || event == platform::seDisconnect;
    });
    Zev::TSocketPacketRW engine(&socket);
    Texts packets;
    engine.SetOnPacketArrived(
        [&](auto *, auto *, const void *data, int size) { packets.push_back(Text(data, size)); });
    EXPECT_EQ(ErrorOf([&] { socket.Deliver(Framed("ok") + LengthWord(length) + "payload"); }),
              "パケットサイズの読み取りに失敗しました.");
    EXPECT_EQ(packets, Texts{"ok"});
    EXPECT_EQ(socket.closes, 1);
    EXPECT_TRUE(disconnected);
    EXPECT_EQ(engine.PendingReadSize(), 0u);
  }
}

TEST(FramingReassembly, LengthAtTheCapIsDeliveredAndBufferStaysBounded) {
  Engine e;
  const std::string packet = Framed(std::string(Zev::MaxPacketLength - 4, 'z'));
  std::size_t largest = 0;
  for (std::size_t at = 0; at < packet.size(); at += 100000) {
    e.socket.Deliver(packet.substr(at, 100000));
    largest = std::max(largest, e.engine.PendingReadSize());
  }
  ASSERT_EQ(e.packets.size(), 1u);
  EXPECT_EQ(e.packets[0].size(), packet.size() - 4);
  EXPECT_LT(largest, static_cast<std::size_t>(Zev::MaxPacketLength));
}

TEST(FramingSend, ShortAndBlockedSendsFinishInOrderAtWriteNotifications) {
  Engine e;
  e.socket.sendLimits = {2};
  e.engine.SendPacket("abc", 3);
  e.socket.sendLimits = {-1};
  e.engine.SendPacket("de", 2); // the socket would block: all stays queued
  EXPECT_EQ(e.socket.wire.size(), 2u);
  EXPECT_EQ(e.engine.WriteBuffer().Size(), 5 + 6);
  e.socket.sendLimits = {3};
  e.socket.Writable();
  e.socket.Writable();
  EXPECT_EQ(e.socket.wire, Framed("abc") + Framed("de"));
  EXPECT_EQ(e.engine.WriteBuffer().Size(), 0);
}

// A short send leaves the unsent bytes where they lie rather than moving them
// all forward; a packet then built and cut short behind them leaves whole.
TEST(FramingSend, AShortSendLeavesTheRestInPlace) {
  Engine e;
  const std::string big(1000, 'q');
  e.socket.sendLimits = {-1};
  e.engine.SendPacket(big.data(), static_cast<int>(big.size()));
  const std::byte *rest = e.engine.WriteBuffer().Memory() + 10;
  e.socket.sendLimits = {10, -1};
  e.socket.Writable();
  EXPECT_EQ(e.engine.WriteBuffer().Memory(), rest) << "the unsent bytes were moved";
  platform::TStream *out = e.engine.PacketBegin();
  out->WriteBuffer("built-junk", 10);
  out->Seek(-5, platform::soCurrent);
  e.engine.PacketEnd();
  e.socket.Writable();
  EXPECT_EQ(e.socket.wire, Framed(big) + Framed("built"));
  EXPECT_EQ(e.engine.WriteBuffer().Size(), 0);
}

TEST(FramingSend, QueuesAreDroppedAtConnectButWhatOnConnectSendsIsKept) {
  FakeWinSocket socket;
  socket.connected = false;
  Zev::TSocketPacketRW *enginePtr = nullptr;
  socket.SetOnSocketEvent([&](auto *, auto *, platform::TSocketEvent event) {
    if (event == platform::seConnect)
      enginePtr->SendPacket("hello", 5);
  });
  Zev::TSocketPacketRW engine(&socket);
  enginePtr = &engine;
  engine.SendPacket("stale", 5); // not connected: queued
  EXPECT_EQ(engine.WriteBuffer().Size(), 9);
  socket.Connect();
  EXPECT_EQ(socket.wire, Framed("hello"));
  socket.Writable();
  EXPECT_EQ(socket.wire, Framed("hello"));
}

TEST(FramingSend, InvalidSizesAndShortStreamsQueueNothing) {
  Engine e;
  e.socket.connected = false;
  for (const auto &send :
       std::vector<std::function<void()>>{[&] { e.engine.SendPacket("x", -1); },
                                          [&] { e.engine.SendPacket(static_cast<const void *>(nullptr), 3); },
                                          [&] { e.engine.SendPacket("x", Zev::MaxPacketLength); }})
    EXPECT_EQ(ErrorOf(send), Zev::PacketSizeInvalidText);
  platform::TMemoryStream stream;
  stream.WriteBuffer("abcdef", 6);
  stream.SetPosition(4);
  EXPECT_EQ(ErrorOf([&] { e.engine.SendPacket(&stream, 0); }), platform::StreamReadErrorText);
  EXPECT_EQ(e.engine.WriteBuffer().Size(), 0); // no length word without its payload
}

TEST(FramingSend, StreamsWholeFromThePositionOrAnExplicitSize) {
  Engine e;
  platform::TMemoryStream empty;
  e.engine.SendPacket(&empty, 0);
  EXPECT_TRUE(e.socket.wire.empty());
  platform::TMemoryStream stream;
  stream.WriteBuffer("abcdef", 6);
  stream.SetPosition(0);
  e.engine.SendPacket(&stream, 0); // the whole stream
  stream.SetPosition(2);
  e.engine.SendPacket(&stream, 3); // three bytes from the current position
  EXPECT_EQ(e.socket.wire, Framed("abcdef") + Framed("cde"));
}

TEST(FramingBuild, BeginEndErrorsEmptyPacketAndFlushWithPacketOpen) {
  Engine e;
  EXPECT_EQ(ErrorOf([&] { e.engine.PacketEnd(); }), "パケット書き込み中ではありません.");
  e.engine.PacketBegin();
  e.engine.PacketEnd(); // nothing written: nothing sent
  EXPECT_FALSE(e.engine.PacketOpen());
  EXPECT_EQ(e.engine.WriteBuffer().Size(), 0);

  e.socket.sendLimits = {-1};
  e.engine.SendPacket("first", 5); // stays queued
  platform::TStream *out = e.engine.PacketBegin();
  EXPECT_EQ(ErrorOf([&] { e.engine.PacketBegin(); }), "既にパケット書き込み中です.");
  EXPECT_TRUE(e.engine.PacketOpen());
  out->WriteBuffer("built", 5);
  e.socket.Writable(); // only the bytes before the open packet go
  EXPECT_EQ(e.socket.wire, Framed("first"));
  e.engine.PacketEnd();
  EXPECT_EQ(e.socket.wire, Framed("first") + Framed("built"));

  e.engine.PacketBegin()->WriteBuffer("dropped", 7);
  e.engine.PacketDiscard();
  EXPECT_FALSE(e.engine.PacketOpen());
  e.engine.SendPacket("after", 5);
  EXPECT_EQ(e.socket.wire, Framed("first") + Framed("built") + Framed("after"));
}

TEST(FramingBuild, PacketEndsAtThePositionAndSurvivesAConnect) {
  Engine e;
  e.socket.connected = false;
  platform::TStream *out = e.engine.PacketBegin();
  out->WriteBuffer("payload-and-junk", 16);
  e.socket.Connect(); // drops what was queued, keeps the packet being built
  out->Seek(-9, platform::soCurrent);
  e.engine.PacketEnd();
  EXPECT_EQ(e.socket.wire, Framed("payload"));
  EXPECT_EQ(e.engine.WriteBuffer().Size(), 0);
}

TEST(FramingHandlers, ThrowingHandlerDoesNotGetThePacketAgainAndLaterOnesArrive) {
  Engine e;
  int calls = 0;
  e.engine.SetOnPacketArrived([&](auto *, auto *, const void *data, int size) {
    ++calls;
    if (Text(data, size) == "bad")
      throw std::runtime_error("conversion");
    e.packets.push_back(Text(data, size));
  });
  EXPECT_EQ(ErrorOf([&] { e.socket.Deliver(Framed("bad") + Framed("good")); }), "conversion");
  EXPECT_TRUE(e.packets.empty()); // the failure leaves before the rest is delivered
  e.socket.Deliver({});           // the read notification that follows the report
  EXPECT_EQ(e.packets, Texts{"good"});
  e.socket.Deliver(Framed("next"));
  EXPECT_EQ(e.packets, (Texts{"good", "next"}));
  EXPECT_EQ(calls, 3);
}

TEST(FramingHandlers, PacketsBufferedBeforeACloseAreStillDelivered) {
  Engine e;
  e.engine.SetOnPacketArrived([&](auto *, platform::TCustomWinSocket *socket, const void *data, int size) {
    e.packets.push_back(Text(data, size));
    socket->Close();
  });
  e.socket.Deliver(Framed("1") + Framed("2") + Framed("3"));
  EXPECT_EQ(e.packets, (Texts{"1", "2", "3"}));
  EXPECT_EQ(e.socket.closes, 1);
}

TEST(FramingHandlers, NestedReadInsideAHandlerWaitsForTheOuterLoop) {
  Engine e;
  e.engine.SetOnPacketArrived([&](auto *, auto *, const void *data, int size) {
    const std::string before = Text(data, size);
    if (before == "outer") // as from a nested event loop
      e.socket.Deliver(Framed("inner") + Framed(std::string(70000, 'q')));
    EXPECT_EQ(Text(data, size), before) << "the payload is intact after the nested notification";
    e.packets.push_back(before.substr(0, 5));
  });
  e.socket.Deliver(Framed("outer"));
  EXPECT_EQ(e.packets, (Texts{"outer", "inner", "qqqqq"}));
}

TEST(FramingHandlers, HandlerMayReplyAndReplaceItself) {
  Engine e;
  e.engine.SetOnPacketArrived([&](auto *, auto *, const void *data, int size) {
    e.engine.SendPacket(data, size);
    e.engine.SetOnPacketArrived(nullptr);
  });
  e.socket.Deliver(Framed("ping") + Framed("lost"));
  EXPECT_EQ(e.socket.wire, Framed("ping"));
}

TEST(FramingHandlers, AttachChainsTheOldHandlerFirstAndGivesItBack) {
  FakeWinSocket socket;
  Texts log;
  socket.SetOnSocketEvent([&](auto *, auto *, platform::TSocketEvent event) {
    log.push_back(event == platform::seRead ? "old-read" : "old");
  });
  {
    Zev::TSocketPacketRW engine(&socket);
    engine.SetOnPacketArrived([&](auto *, auto *, const void *, int) { log.emplace_back("packet"); });
    socket.Deliver(Framed("x"));
  }
  EXPECT_EQ(log, (Texts{"old-read", "packet"}));
  socket.Event(&socket, platform::seWrite); // the old handler is back
  EXPECT_EQ(log.back(), "old");
}

// Three engines of one gather, as a server's connections: every packet that
// arrives on any of them is sent to all three, the sender's own included.
struct GatheredRelay {
  std::shared_ptr<Zev::TSendGather> gather = std::make_shared<Zev::TSendGather>();
  std::array<Engine, 3> connections;

  GatheredRelay() {
    for (Engine &connection : connections) {
      connection.engine.SetSendGather(gather);
      connection.engine.SetOnPacketArrived([this](auto *, auto *, const void *data, int size) {
        if (Text(data, size) == "bad")
          throw std::runtime_error("conversion");
        SendToAll(data, size);
      });
    }
  }
  // Every connection is served even when one fails; the first failure is raised.
  void SendToAll(const void *data, int size) {
    std::exception_ptr failure;
    for (Engine &connection : connections)
      try {
        connection.engine.SendPacket(data, size);
      } catch (...) {
        failure = failure ? failure : std::current_exception();
      }
    if (failure)
      std::rethrow_exception(failure);
  }
  void ExpectEachWire(const std::string &bytes) {
    for (Engine &connection : connections)
      EXPECT_EQ(connection.socket.wire, bytes);
  }
};

// What one read relays leaves in one write per connection, same bytes, same order.
TEST(FramingGather, OneReadsRelayIsOneWritePerConnection) {
  GatheredRelay relay;
  std::string burst;
  for (int i = 0; i < 300; ++i)
    burst += Framed(std::to_string(i));
  relay.connections[1].socket.Deliver(burst);
  relay.ExpectEachWire(burst);
  for (Engine &connection : relay.connections)
    EXPECT_EQ(connection.socket.sendCalls, 1);
  // Outside a delivery a send leaves at once.
  relay.connections[0].engine.SendPacket("now", 3);
  EXPECT_EQ(relay.connections[0].socket.wire, burst + Framed("now"));
}

// A failing connection neither stops the others nor loses what was relayed
// before a handler failed.
TEST(FramingGather, FailuresLeaveTheOtherConnectionsTheirBytes) {
  GatheredRelay relay;
  relay.connections[1].socket.failSends = true;
  const std::string burst = Framed("1") + Framed("2");
  EXPECT_EQ(ErrorOf([&] { relay.connections[0].socket.Deliver(burst); }), "send failed");
  EXPECT_EQ(relay.connections[0].socket.wire, burst);
  EXPECT_EQ(relay.connections[2].socket.wire, burst);

  relay.connections[1].socket.failSends = false;
  EXPECT_EQ(ErrorOf([&] { relay.connections[2].socket.Deliver(Framed("3") + Framed("bad") + Framed("4")); }),
            "conversion");
  relay.ExpectEachWire(burst + Framed("3"));
  relay.connections[2].socket.Deliver({}); // the read notification after the report
  relay.ExpectEachWire(burst + Framed("3") + Framed("4"));
}

} // namespace
