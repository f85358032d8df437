// Client and server components on real loopback sockets.
#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "packetsockets/PacketClientSocket.h"
#include "packetsockets/PacketServerSocket.h"
#include "platform/net/SocketError.h"
#include "tests/support/LoopbackHelpers.h"

using frames::Text;
using loopback::PumpPasses;
using loopback::PumpUntil;
using Texts = std::vector<std::string>;

namespace {

struct Received {
  platform::TObject *sender;
  platform::TCustomWinSocket *socket;
  std::string payload;
};

// A component's arrivals, recorded.
template <typename Component> struct Recording {
  Component component;
  std::vector<Received> packets;
  Recording() {
    component.SetOnPacketArrived(
        [this](platform::TObject *sender, platform::TCustomWinSocket *socket, const void *data, int size) {
          packets.push_back({sender, socket, Text(data, size)});
        });
  }
  Texts Payloads() const {
    Texts out;
    for (const auto &p : packets)
      out.push_back(p.payload);
    return out;
  }
};

struct Client : Recording<Zev::TPacketClientSocket> {
  int connects = 0, disconnects = 0;
  explicit Client(int port, const std::string &host = "localhost") {
    component.SetOnConnect([this](auto *, auto *) { ++connects; });
    component.SetOnDisconnect([this](auto *, auto *) { ++disconnects; });
    component.SetHost(host);
    component.SetPort(port);
  }
  ::testing::AssertionResult Open() {
    component.SetActive(true);
    return PumpUntil([this] { return component.Socket()->Connected(); });
  }
};

// A server on a port of its own that records what it accepts and receives.
struct Server : Recording<Zev::TPacketServerSocket> {
  std::vector<platform::TCustomWinSocket *> accepted;
  std::vector<std::unique_ptr<Client>> clients;

  explicit Server(int port = 0) {
    component.SetOnAccept([this](auto *, platform::TCustomWinSocket *socket) { accepted.push_back(socket); });
    component.SetPort(port);
    component.SetActive(true);
  }
  int Port() const { return component.Socket()->LocalPort(); }
  // A client of its own, connected and accepted.
  Client &Join() {
    clients.push_back(std::make_unique<Client>(Port()));
    EXPECT_TRUE(clients.back()->Open());
    EXPECT_TRUE(PumpUntil([&] { return accepted.size() == clients.size(); }));
    return *clients.back();
  }
};

TEST(Loopback, ConnectActiveOnConnectAndPacketsBothWays) {
  Server server;
  Client client(server.Port());
  EXPECT_FALSE(client.component.Active());
  ASSERT_TRUE(client.Open());
  EXPECT_TRUE(client.component.Active());
  EXPECT_EQ(client.connects, 1);
  ASSERT_TRUE(PumpUntil([&] { return server.accepted.size() == 1; }));
  EXPECT_EQ(server.component.ActiveConnections(), 1);
  EXPECT_EQ(server.component.GetClientSocket(0), server.accepted[0]);

  client.component.SendPacket("Condition", 10);
  ASSERT_TRUE(PumpUntil([&] { return server.packets.size() == 1; }));
  EXPECT_EQ(server.packets[0].payload, std::string("Condition", 10));
  EXPECT_EQ(server.packets[0].sender, &server.component);
  EXPECT_EQ(server.packets[0].socket, server.accepted[0]);

  server.component.SendPacket(server.accepted[0], "New", 4);
  ASSERT_TRUE(PumpUntil([&] { return client.packets.size() == 1; }));
  EXPECT_EQ(client.packets[0].sender, client.component.Socket());
  EXPECT_EQ(client.packets[0].socket, client.component.Socket());

  EXPECT_THROW(client.component.SetPort(1), platform::ESocketError); // no change while active
  client.component.SetActive(false);
  EXPECT_FALSE(client.component.Active());
  EXPECT_EQ(client.disconnects, 1);
  ASSERT_TRUE(PumpUntil([&] { return server.component.ActiveConnections() == 0; }));
}

TEST(Loopback, RefusedConnectIsReportedLaterAndCanBeRetried) {
  testsupport::BoxRecorder boxes;
  const int port = testsupport::FreePort();
  Client client(port, "127.0.0.1");
  std::vector<platform::TErrorEvent> errors;
  client.component.SetOnError(
      [&](auto *, auto *, platform::TErrorEvent event, int &) { errors.push_back(event); });
  client.component.SetActive(true); // returns at once: the refusal comes from the event loop
  EXPECT_TRUE(boxes.boxes.empty());
  ASSERT_TRUE(PumpUntil([&] { return !boxes.boxes.empty(); }));
  EXPECT_NE(boxes.boxes[0].text.find("connect"), std::string::npos) << boxes.boxes[0].text;
  EXPECT_EQ(errors, std::vector<platform::TErrorEvent>{platform::eeConnect});
  EXPECT_FALSE(client.component.Active());

  Server server(port);
  ASSERT_TRUE(client.Open());
  EXPECT_TRUE(client.component.Active());
}

// To all in accept order, the stream form's same bytes to each, and to all but one.
TEST(Loopback, SendToAllInAcceptOrderAndToAllButOne) {
  Server server;
  server.Join();
  server.Join();
  server.component.SendPacketToAll("two", 3);
  auto &clients = server.clients;
  ASSERT_TRUE(PumpUntil([&] { return clients[0]->packets.size() == 1 && clients[1]->packets.size() == 1; }));
  server.Join();
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(server.component.GetClientSocket(i), server.accepted[static_cast<std::size_t>(i)]);

  // The relay: every packet to every connection, the sender's own included.
  server.component.SetOnPacketArrived(
      [&](auto *, auto *, const void *data, int size) { server.component.SendPacketToAll(data, size); });
  clients[1]->component.SendPacket("15", 3);
  for (auto &client : clients)
    ASSERT_TRUE(PumpUntil([&] { return client->Payloads().back() == std::string("15", 3); }));
  platform::TMemoryStream stream;
  stream.WriteBuffer("xxMove", 6);
  stream.SetPosition(2);
  server.component.SendPacketToAll(&stream, 4);
  server.component.SendPacketToAllExcept(server.accepted[1], "others", 6);
  ASSERT_TRUE(PumpUntil([&] {
    return clients[0]->packets.size() == 4 && clients[1]->packets.size() == 3 &&
           clients[2]->packets.size() == 3;
  }));
  PumpPasses();
  EXPECT_EQ(clients[0]->Payloads(), (Texts{"two", std::string("15", 3), "Move", "others"}));
  EXPECT_EQ(clients[1]->Payloads(), (Texts{"two", std::string("15", 3), "Move"}));
  EXPECT_EQ(clients[2]->Payloads(), (Texts{std::string("15", 3), "Move", "others"}));
}

TEST(Loopback, WrongSocketClassIsRefused) {
  Server server;
  EXPECT_THROW(server.component.SendPacket(nullptr, "x", 1), platform::Exception);
  platform::TMemoryStream stream;
  EXPECT_THROW(server.component.SendPacket(server.component.Socket(), &stream, 0), platform::Exception);
  EXPECT_THROW(server.component.GetClientSocket(0), platform::Exception);
  server.component.SendPacketToAll("nobody", 6); // no connection: nothing happens
}

TEST(Loopback, CloseInsideOnAcceptAndSendToAllFromOnClientConnect) {
  Server server;
  server.component.SetOnClientConnect([&](auto *, auto *) { server.component.SendPacketToAll("hello", 5); });
  int accepts = 0;
  server.component.SetOnAccept([&](auto *, platform::TCustomWinSocket *socket) {
    if (++accepts == 2)
      socket->Close(); // a match has two clients at most: here, one
  });
  Client first(server.Port());
  ASSERT_TRUE(first.Open());
  ASSERT_TRUE(PumpUntil([&] { return first.packets.size() == 1; })); // its own greeting reached it
  Client second(server.Port());
  second.component.SetActive(true);
  ASSERT_TRUE(PumpUntil([&] { return second.disconnects == 1; }));
  EXPECT_FALSE(second.component.Active());
  EXPECT_EQ(server.component.ActiveConnections(), 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the closed connection is freed
  first.component.SendPacket("still", 5);
  ASSERT_TRUE(PumpUntil([&] { return server.packets.size() == 1; }));
}

TEST(Loopback, ListenAgainOnTheSamePortAtOnce) {
  const int port = testsupport::FreePort();
  auto server = std::make_unique<Server>(port);
  Client &client = server->Join();
  server->component.SetActive(false); // this side closes first
  EXPECT_FALSE(server->component.Active());
  ASSERT_TRUE(PumpUntil([&] { return client.disconnects == 1; }));
  server->component.SetActive(true);
  EXPECT_TRUE(server->component.Active());
  EXPECT_EQ(server->Port(), port);
}

// Packets of many sizes through many short writes, more of them queued while
// the queue drains, arrive whole and in order; what was sent before the
// server closes arrives before the close.
TEST(Loopback, LargePacketsThroughShortWritesAndDataBeforeACloseArriveIntact) {
  testsupport::BoxRecorder boxes; // a broken stream is reported, not waited on
  Server server;
  Client &client = server.Join();
  Zev::TPacketServerClientWinSocket *connection = server.component.GetClientSocket(0);
  const int small = 4096;
  ::setsockopt(connection->SocketHandle(), SOL_SOCKET, SO_SNDBUF, &small, sizeof small);
  Texts sent;
  const auto send = [&](int count) {
    for (int i = 0; i < count; ++i) {
      std::string payload(1 + sent.size() * 7919 % 100000, '\0');
      for (std::size_t j = 0; j < payload.size(); ++j)
        payload[j] = static_cast<char>((j * 131 + sent.size()) % 251);
      sent.push_back(payload);
      server.component.SendPacketToAll(payload.data(), static_cast<int>(payload.size()));
    }
  };
  send(20);
  ASSERT_GT(connection->QueuedBytes(), 0); // the socket took part
  const auto arrivedOrBroken = [&](std::size_t count) {
    return PumpUntil([&] { return client.packets.size() >= count || !boxes.boxes.empty(); });
  };
  ASSERT_TRUE(arrivedOrBroken(10));
  send(20); // behind what is still queued
  ASSERT_TRUE(arrivedOrBroken(sent.size()));
  ASSERT_EQ(boxes.Texts(), Texts{});
  EXPECT_TRUE(client.Payloads() == sent);
  EXPECT_EQ(connection->QueuedBytes(), 0);

  server.component.SendPacketToAll("last", 4);
  server.component.SendPacketToAll("words", 5);
  server.accepted[0]->Close();
  ASSERT_TRUE(PumpUntil([&] { return client.disconnects == 1; }));
  sent.insert(sent.end(), {"last", "words"});
  EXPECT_EQ(client.Payloads(), sent);
}

TEST(Loopback, BadLengthFromAPeerClosesTheConnectionAndIsReported) {
  testsupport::BoxRecorder boxes;
  Server server;
  const int fd = loopback::RawConnect(server.Port());
  ASSERT_GE(fd, 0);
  const unsigned char bytes[] = {5, 0, 0, 0, 'x', 2, 0, 0, 0};
  ASSERT_EQ(::send(fd, bytes, sizeof bytes, 0), static_cast<ssize_t>(sizeof bytes));
  ASSERT_TRUE(PumpUntil([&] { return !boxes.boxes.empty(); }));
  EXPECT_EQ(boxes.Texts(), Texts{"パケットサイズの読み取りに失敗しました."});
  EXPECT_EQ(server.Payloads(), Texts{"x"});
  EXPECT_EQ(server.component.ActiveConnections(), 0);
  char probe = 0;
  EXPECT_EQ(::recv(fd, &probe, 1, 0), 0); // closed by the server
  ::close(fd);
}

TEST(Loopback, HandlerExceptionIsReportedAndLaterPacketsStillArrive) {
  testsupport::BoxRecorder boxes;
  Server server;
  Texts handled;
  server.component.SetOnPacketArrived([&](auto *, auto *, const void *data, int size) {
    if (Text(data, size) == "bad")
      throw platform::Exception("'bad' は有効な整数値ではありません.");
    handled.push_back(Text(data, size));
  });
  Client &client = server.Join();
  client.component.SendPacket("bad", 3);
  client.component.SendPacket("good", 4);
  ASSERT_TRUE(PumpUntil([&] { return handled.size() == 1 && boxes.boxes.size() == 1; }));
  client.component.SendPacket("more", 4);
  ASSERT_TRUE(PumpUntil([&] { return handled.size() == 2; }));
  EXPECT_EQ(handled, (Texts{"good", "more"}));
  EXPECT_EQ(boxes.Texts(), Texts{"'bad' は有効な整数値ではありません."});
}

TEST(Loopback, DeactivatingWhileConnectingCancelsTheAttempt) {
  Server server;
  Client client(server.Port());
  client.component.SetActive(true);
  EXPECT_TRUE(client.component.Active());
  EXPECT_TRUE(client.component.Socket()->Connecting());
  client.component.SetActive(true); // already under way: nothing happens
  client.component.SetActive(false);
  EXPECT_FALSE(client.component.Active());
  EXPECT_FALSE(client.component.Socket()->HandleAllocated());
  PumpPasses();
  EXPECT_EQ(client.connects, 0);
}

TEST(Loopback, FailedSendIsReportedRaisedAndTheDisconnectComesFromTheEventLoop) {
  const loopback::RawListener listener;
  Client client(listener.port, "127.0.0.1");
  std::vector<platform::TErrorEvent> errors;
  client.component.SetOnError(
      [&](auto *, auto *, platform::TErrorEvent event, int &) { errors.push_back(event); });
  ASSERT_TRUE(client.Open());
  const int peer = listener.Accept();
  const linger reset{1, 0}; // the peer resets the connection
  ::setsockopt(peer, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
  ::close(peer);

  EXPECT_THROW(
      {
        for (int i = 0; i < 3; ++i) // the first send after a reset may still be taken
          client.component.SendPacket("setudan", 8);
      },
      platform::ESocketError);
  EXPECT_EQ(errors, std::vector<platform::TErrorEvent>{platform::eeSend});
  EXPECT_FALSE(client.component.Active());
  EXPECT_EQ(client.disconnects, 0); // no notification from inside the send
  ASSERT_TRUE(PumpUntil([&] { return client.disconnects == 1; }));
  client.component.SendPacket("queued", 6); // not connected: queued, no error
}

TEST(Loopback, OwnConnectionSocketsMustBePacketSockets) {
  testsupport::BoxRecorder boxes;
  Server server;
  bool supplyPlain = true;
  server.component.SetOnGetSocket([&](platform::TObject *, int Socket, auto &ClientSocket) {
    if (supplyPlain)
      ClientSocket = std::make_unique<platform::TServerClientWinSocket>(Socket, server.component.Socket());
  });
  Client refused(server.Port());
  refused.component.SetActive(true);
  ASSERT_TRUE(PumpUntil([&] { return !boxes.boxes.empty() && refused.disconnects == 1; }));
  EXPECT_EQ(boxes.boxes[0].text, Zev::NotPacketSocketText);
  EXPECT_EQ(server.component.ActiveConnections(), 0);
  EXPECT_TRUE(server.accepted.empty());

  supplyPlain = false; // left empty: the component makes its own
  server.Join().component.SendPacket("ok", 2);
  ASSERT_TRUE(PumpUntil([&] { return server.packets.size() == 1; }));
}

TEST(Loopback, FlushPacketsWaitsUntilThePeerHasTakenEverything) {
  const loopback::RawListener listener;
  Client client(listener.port, "127.0.0.1");
  ASSERT_TRUE(client.Open());
  const int peer = listener.Accept();
  const int small = 4096;
  ::setsockopt(client.component.Socket()->SocketHandle(), SOL_SOCKET, SO_SNDBUF, &small, sizeof small);
  const std::string big(200000, 'b');
  for (int i = 0; i < 4; ++i)
    client.component.SendPacket(big.data(), static_cast<int>(big.size()));
  ASSERT_GT(client.component.QueuedBytes(), 0);
  EXPECT_FALSE(client.component.FlushPackets(20)); // the peer does not read yet

  const std::size_t total = 4 * (big.size() + 4);
  std::size_t received = 0;
  std::thread reader([&] {
    char buffer[65536];
    while (received < total) {
      const ssize_t n = ::recv(peer, buffer, sizeof buffer, 0);
      if (n <= 0)
        break;
      received += static_cast<std::size_t>(n);
    }
  });
  EXPECT_TRUE(client.component.FlushPackets(10000));
  EXPECT_EQ(client.component.QueuedBytes(), 0);
  reader.join();
  EXPECT_EQ(received, total);
  ::close(peer);
}

} // namespace
