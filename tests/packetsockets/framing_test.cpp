// The framing engine over an in-memory socket: wire format, reassembly,
// invalid lengths, queueing and short sends, packets built in place.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "FakeWinSocket.h"
#include "packetsockets/SocketPacketRW.h"

using fakes::Bytes;
using fakes::FakeWinSocket;
using fakes::Frame;
using fakes::LengthWord;
using Zev::TSocketPacketRW;

namespace {

std::vector<std::byte> Concat(std::initializer_list<std::vector<std::byte>> parts) {
  std::vector<std::byte> out;
  for (const auto &part : parts)
    out.insert(out.end(), part.begin(), part.end());
  return out;
}

std::vector<std::byte> Slice(const std::vector<std::byte> &bytes, std::size_t from, std::size_t to) {
  return {bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.begin() + static_cast<std::ptrdiff_t>(to)};
}

std::string ExceptionText(const std::function<void()> &action) {
  try {
    action();
  } catch (const std::exception &error) {
    return error.what();
  }
  return "";
}

// An engine on a fake socket that records every packet it delivers.
struct Engine {
  FakeWinSocket socket;
  TSocketPacketRW engine{&socket};
  std::vector<std::string> packets;
  std::vector<platform::TObject *> senders;

  Engine() {
    engine.SetOnPacketArrived(
        [this](platform::TObject *sender, platform::TCustomWinSocket *, const void *data, int size) {
          packets.emplace_back(static_cast<const char *>(data), static_cast<std::size_t>(size));
          senders.push_back(sender);
        });
  }
};

TEST(FramingWire, ExactBytesOfEmptyAbcAndSetudan) {
  Engine e;
  e.engine.SendPacket("", 0);
  EXPECT_EQ(e.socket.wire, Bytes({4, 0, 0, 0}));

  e.socket.wire.clear();
  e.engine.SendPacket("abc", 3);
  EXPECT_EQ(e.socket.wire, Bytes({7, 0, 0, 0, 'a', 'b', 'c'}));

  e.socket.wire.clear();
  e.engine.SendPacket("setudan", 8); // the NUL travels too
  EXPECT_EQ(e.socket.wire, Bytes({12, 0, 0, 0, 's', 'e', 't', 'u', 'd', 'a', 'n', 0}));
  EXPECT_EQ(e.engine.WriteBuffer().Size(), 0);
}

TEST(FramingReassembly, SplitAtEveryByte) {
  const auto stream = Concat({Frame(""), Frame("abc"), Frame(std::string("setudan\0", 8))});
  for (std::size_t split = 1; split < stream.size(); ++split) {
    Engine e;
    e.socket.Deliver(Slice(stream, 0, split));
    // Only packets whose last byte has arrived (they end at 4, 11 and 23).
    EXPECT_EQ(e.packets.size(), std::size_t{split >= 4} + (split >= 11) + (split >= 23)) << "split " << split;
    e.socket.Deliver(Slice(stream, split, stream.size()));
    ASSERT_EQ(e.packets, (std::vector<std::string>{"", "abc", std::string("setudan\0", 8)}))
        << "split " << split;
    EXPECT_EQ(e.engine.PendingReadSize(), 0u);
  }
}

TEST(FramingReassembly, SeveralPacketsInOneReadInOrderAndSenderIsTheSocket) {
  Engine e;
  e.socket.Deliver(Concat({Frame("one"), Frame(""), Frame("three")}));
  EXPECT_EQ(e.packets, (std::vector<std::string>{"one", "", "three"}));
  for (auto *sender : e.senders)
    EXPECT_EQ(sender, &e.socket);
}

TEST(FramingReassembly, PacketsWithoutHandlerAreStillRemoved) {
  FakeWinSocket socket;
  TSocketPacketRW engine(&socket);
  socket.Deliver(Concat({Frame("a"), Frame("b"), Slice(Frame("c"), 0, 2)}));
  EXPECT_EQ(engine.PendingReadSize(), 2u);
}

TEST(FramingReassembly, ReadsLargerThanOneChunk) {
  // Two packets of 100 KiB arrive in one notification, more than one read's worth.
  const std::string big(100 * 1024, 'x');
  Engine e;
  e.socket.Deliver(Concat({Frame(big), Frame(big + "y")}));
  ASSERT_EQ(e.packets.size(), 2u);
  EXPECT_EQ(e.packets[1].size(), big.size() + 1);
  EXPECT_EQ(e.packets[1].back(), 'y');
}

class FramingInvalidLength : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(FramingInvalidLength, ClosesAndRaisesWithoutHandlerCall) {
  FakeWinSocket socket;
  bool disconnected = false;
  socket.SetOnSocketEvent([&](auto *, auto *, platform::TSocketEvent event) {
    disconnected = disconnected || event == platform::seDisconnect;
  });
  TSocketPacketRW engine(&socket);
  std::vector<std::string> packets;
  engine.SetOnPacketArrived([&](auto *, auto *, const void *data, int size) {
    packets.emplace_back(static_cast<const char *>(data), static_cast<std::size_t>(size));
  });
  const auto bytes = Concat({Frame("ok"), LengthWord(GetParam()), Bytes("payload")});
  EXPECT_EQ(ExceptionText([&] { socket.Deliver(bytes); }), "パケットサイズの読み取りに失敗しました.");
  EXPECT_EQ(packets, std::vector<std::string>{"ok"}); // only the valid packet before it
  EXPECT_EQ(socket.closes, 1);
  EXPECT_TRUE(disconnected); // through the chained handler
  EXPECT_EQ(engine.PendingReadSize(), 0u);
}

INSTANTIATE_TEST_SUITE_P(BadLengths, FramingInvalidLength,
                         ::testing::Values(0, -1, 1, 2, 3, INT_MIN, Zev::MaxPacketLength + 1, INT_MAX));

TEST(FramingCap, LengthAtTheCapIsDeliveredAndBufferStaysBounded) {
  Engine e;
  const std::string payload(Zev::MaxPacketLength - 4, 'z');
  const auto packet = Frame(payload);
  std::size_t largest = 0;
  for (std::size_t at = 0; at < packet.size(); at += 100000) {
    e.socket.Deliver(Slice(packet, at, std::min(packet.size(), at + 100000)));
    largest = std::max(largest, e.engine.PendingReadSize());
  }
  ASSERT_EQ(e.packets.size(), 1u);
  EXPECT_EQ(e.packets[0].size(), payload.size());
  EXPECT_LT(largest, static_cast<std::size_t>(Zev::MaxPacketLength));
}

TEST(FramingSend, ShortAndBlockedSendsFinishInOrderAtWriteNotifications) {
  Engine e;
  e.socket.sendLimits = {2};
  e.engine.SendPacket("abc", 3);
  EXPECT_EQ(e.socket.wire.size(), 2u);
  e.socket.sendLimits = {-1};
  e.engine.SendPacket("de", 2); // the socket would block: all stays queued
  EXPECT_EQ(e.socket.wire.size(), 2u);
  EXPECT_EQ(e.engine.WriteBuffer().Size(), 5 + 6);
  e.socket.sendLimits = {3};
  e.socket.Writable();
  e.socket.Writable();
  EXPECT_EQ(e.socket.wire, Concat({Frame("abc"), Frame("de")}));
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
  TSocketPacketRW engine(&socket);
  enginePtr = &engine;
  engine.SendPacket("stale", 5); // not connected: queued
  EXPECT_TRUE(socket.wire.empty());
  EXPECT_EQ(engine.WriteBuffer().Size(), 9);
  socket.Connect();
  EXPECT_EQ(socket.wire, Frame("hello"));
  socket.Writable();
  EXPECT_EQ(socket.wire, Frame("hello"));
}

TEST(FramingSend, InvalidSizesQueueNothing) {
  Engine e;
  e.socket.connected = false;
  EXPECT_EQ(ExceptionText([&] { e.engine.SendPacket("x", -1); }), Zev::PacketSizeInvalidText);
  EXPECT_EQ(ExceptionText([&] { e.engine.SendPacket(static_cast<const void *>(nullptr), 3); }),
            Zev::PacketSizeInvalidText);
  EXPECT_EQ(ExceptionText([&] { e.engine.SendPacket("x", Zev::MaxPacketLength); }),
            Zev::PacketSizeInvalidText);
  EXPECT_EQ(e.engine.WriteBuffer().Size(), 0);
}

TEST(FramingStream, WholeStreamFromPositionExplicitSizeAndShortStream) {
  Engine e;
  platform::TMemoryStream empty;
  e.engine.SendPacket(&empty, 0);
  EXPECT_TRUE(e.socket.wire.empty());

  platform::TMemoryStream stream;
  stream.WriteBuffer("abcdef", 6);
  stream.SetPosition(0);
  e.engine.SendPacket(&stream, 0); // the whole stream
  EXPECT_EQ(e.socket.wire, Frame("abcdef"));

  e.socket.wire.clear();
  stream.SetPosition(2);
  e.engine.SendPacket(&stream, 3); // three bytes from the current position
  EXPECT_EQ(e.socket.wire, Frame("cde"));

  e.socket.wire.clear();
  e.socket.connected = false;
  stream.SetPosition(4);
  EXPECT_EQ(ExceptionText([&] { e.engine.SendPacket(&stream, 0); }), platform::StreamReadErrorText);
  EXPECT_EQ(e.engine.WriteBuffer().Size(), 0); // no length word without its payload
}

TEST(FramingBuild, BeginEndErrorsEmptyPacketAndFlushWithPacketOpen) {
  Engine e;
  EXPECT_EQ(ExceptionText([&] { e.engine.PacketEnd(); }), "パケット書き込み中ではありません.");

  e.engine.PacketBegin();
  e.engine.PacketEnd(); // nothing written: nothing sent
  EXPECT_FALSE(e.engine.PacketOpen());
  EXPECT_TRUE(e.socket.wire.empty());
  EXPECT_EQ(e.engine.WriteBuffer().Size(), 0);

  e.socket.sendLimits = {-1};
  e.engine.SendPacket("first", 5); // stays queued
  platform::TStream *out = e.engine.PacketBegin();
  EXPECT_EQ(ExceptionText([&] { e.engine.PacketBegin(); }), "既にパケット書き込み中です.");
  EXPECT_TRUE(e.engine.PacketOpen());
  out->WriteBuffer("built", 5);
  e.socket.Writable(); // only the bytes before the open packet go
  EXPECT_EQ(e.socket.wire, Frame("first"));
  e.engine.PacketEnd();
  EXPECT_EQ(e.socket.wire, Concat({Frame("first"), Frame("built")}));

  e.socket.wire.clear();
  e.engine.PacketBegin()->WriteBuffer("dropped", 7);
  e.engine.PacketDiscard();
  EXPECT_FALSE(e.engine.PacketOpen());
  e.engine.SendPacket("after", 5);
  EXPECT_EQ(e.socket.wire, Frame("after"));
}

TEST(FramingBuild, PacketEndsAtThePositionAndSurvivesAConnect) {
  Engine e;
  e.socket.connected = false;
  platform::TStream *out = e.engine.PacketBegin();
  out->WriteBuffer("payload-and-junk", 16);
  e.socket.Connect(); // drops what was queued, keeps the packet being built
  out->Seek(-9, platform::soCurrent);
  e.engine.PacketEnd();
  EXPECT_EQ(e.socket.wire, Frame("payload"));
  EXPECT_EQ(e.engine.WriteBuffer().Size(), 0);
}

TEST(FramingHandlers, ThrowingHandlerDoesNotGetThePacketAgainAndLaterOnesArrive) {
  Engine e;
  int calls = 0;
  e.engine.SetOnPacketArrived([&](auto *, auto *, const void *data, int size) {
    ++calls;
    const std::string text(static_cast<const char *>(data), static_cast<std::size_t>(size));
    if (text == "bad")
      throw std::runtime_error("conversion");
    e.packets.push_back(text);
  });
  EXPECT_EQ(ExceptionText([&] { e.socket.Deliver(Concat({Frame("bad"), Frame("good")})); }), "conversion");
  EXPECT_TRUE(e.packets.empty()); // the failure leaves before the rest is delivered
  e.socket.Deliver({});           // the read notification that follows the report
  EXPECT_EQ(e.packets, std::vector<std::string>{"good"});
  e.socket.Deliver(Frame("next"));
  EXPECT_EQ(e.packets, (std::vector<std::string>{"good", "next"}));
  EXPECT_EQ(calls, 3);
}

TEST(FramingHandlers, PacketsBufferedBeforeACloseAreStillDelivered) {
  Engine e;
  e.engine.SetOnPacketArrived([&](auto *, platform::TCustomWinSocket *socket, const void *data, int size) {
    e.packets.emplace_back(static_cast<const char *>(data), static_cast<std::size_t>(size));
    socket->Close();
  });
  e.socket.Deliver(Concat({Frame("1"), Frame("2"), Frame("3")}));
  EXPECT_EQ(e.packets, (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(e.socket.closes, 1);
}

TEST(FramingHandlers, NestedReadInsideAHandlerWaitsForTheOuterLoop) {
  Engine e;
  e.engine.SetOnPacketArrived([&](auto *, auto *, const void *data, int size) {
    const std::string before(static_cast<const char *>(data), static_cast<std::size_t>(size));
    if (before == "outer")
      e.socket.Deliver(
          Concat({Frame("inner"), Frame(std::string(70000, 'q'))})); // as from a nested event loop
    // The payload is still intact after the nested notification.
    EXPECT_EQ(std::string(static_cast<const char *>(data), static_cast<std::size_t>(size)), before);
    e.packets.push_back(before.substr(0, 5));
  });
  e.socket.Deliver(Frame("outer"));
  EXPECT_EQ(e.packets, (std::vector<std::string>{"outer", "inner", "qqqqq"}));
}

TEST(FramingHandlers, HandlerMayReplyAndReplaceItself) {
  Engine e;
  e.engine.SetOnPacketArrived([&](auto *, auto *, const void *data, int size) {
    e.engine.SendPacket(data, size);
    e.engine.SetOnPacketArrived(nullptr);
  });
  e.socket.Deliver(Concat({Frame("ping"), Frame("lost")}));
  EXPECT_EQ(e.socket.wire, Frame("ping"));
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
        if (std::string(static_cast<const char *>(data), static_cast<std::size_t>(size)) == "bad")
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
};

// What one read relays leaves in one write per connection, same bytes, same order.
TEST(FramingGather, OneReadsRelayIsOneWritePerConnection) {
  GatheredRelay relay;
  std::vector<std::byte> burst;
  for (int i = 0; i < 300; ++i)
    burst = Concat({burst, Frame(std::to_string(i))});
  relay.connections[1].socket.Deliver(burst);
  for (Engine &connection : relay.connections) {
    EXPECT_EQ(connection.socket.wire, burst);
    EXPECT_EQ(connection.socket.sendCalls, 1);
  }
  // Outside a delivery a send leaves at once.
  relay.connections[0].engine.SendPacket("now", 3);
  EXPECT_EQ(relay.connections[0].socket.wire, Concat({burst, Frame("now")}));
}

// A failing connection neither stops the others nor loses what was relayed
// before a handler failed.
TEST(FramingGather, FailuresLeaveTheOtherConnectionsTheirBytes) {
  GatheredRelay relay;
  relay.connections[1].socket.failSends = true;
  const auto burst = Concat({Frame("1"), Frame("2")});
  EXPECT_EQ(ExceptionText([&] { relay.connections[0].socket.Deliver(burst); }), "send failed");
  EXPECT_EQ(relay.connections[0].socket.wire, burst);
  EXPECT_EQ(relay.connections[2].socket.wire, burst);

  relay.connections[1].socket.failSends = false;
  const auto relayed = [&](std::initializer_list<std::vector<std::byte>> parts) {
    for (Engine &connection : relay.connections)
      EXPECT_EQ(connection.socket.wire, Concat(parts));
  };
  EXPECT_EQ(ExceptionText([&] {
              relay.connections[2].socket.Deliver(Concat({Frame("3"), Frame("bad"), Frame("4")}));
            }),
            "conversion");
  relayed({burst, Frame("3")});
  relay.connections[2].socket.Deliver({}); // the read notification after the report
  relayed({burst, Frame("3"), Frame("4")});
}

TEST(FramingAttach, ChainsTheOldHandlerFirstAndGivesItBack) {
  FakeWinSocket socket;
  std::vector<std::string> log;
  socket.SetOnSocketEvent([&](auto *, auto *, platform::TSocketEvent event) {
    log.push_back(event == platform::seRead ? "old-read" : "old");
  });
  {
    TSocketPacketRW engine(&socket);
    engine.SetOnPacketArrived([&](auto *, auto *, const void *, int) { log.emplace_back("packet"); });
    socket.Deliver(Frame("x"));
  }
  EXPECT_EQ(log, (std::vector<std::string>{"old-read", "packet"}));
  socket.Event(&socket, platform::seWrite); // the old handler is back
  EXPECT_EQ(log.back(), "old");
}

} // namespace
