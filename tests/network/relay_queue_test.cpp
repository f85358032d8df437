// The host's relay over real sockets on 127.0.0.1: the host's own client and
// guests on raw sockets in threads of their own, as other programs would be.
// A guest that reads is never cut however much it sends at once; one that
// never reads is cut, with its queue bounded, even once it has gone quiet.
// The relay's clock is mostly a manual one, so a stall of seconds costs the
// test no time.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <string>
#include <thread>
#include <vector>

#include "network/ZevMatchSockets.h"
#include "tests/network/ManualClock.h"
#include "tests/support/LoopbackHelpers.h"

using loopback::Framed;
using loopback::PumpUntil;

namespace {

constexpr int kLargestLength = 1 << 20; // the largest legal packet, header included

// count packets whose payloads tell them apart, each `length` long in all.
std::string Frames(int count, std::size_t length) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    std::string payload = std::to_string(i);
    payload.resize(length - 4, static_cast<char>('a' + i % 26));
    out += Framed(payload);
  }
  return out;
}

// A slow reader: it reads nothing until its whole burst is sent and it is
// told to start, then at most `bytes` every `everyMs` for `forMs`, and then
// as fast as it can.
struct Pace {
  std::size_t bytes = 0;
  int everyMs = 0;
  int forMs = 0;
};

// How much a paced guest may read now, and what it has read of that.
class PacedReading {
public:
  using Clock = std::chrono::steady_clock;
  explicit PacedReading(Pace pace) : pace_(pace) {}

  // At most `want` bytes; nothing before `started`, the allowance of the
  // moment during the slow stretch, and `want` after it.
  std::size_t Allowed(std::size_t want, bool started) {
    if (pace_.forMs <= 0)
      return want;
    const auto now = Clock::now();
    if (started && slowUntil_ == Clock::time_point{})
      slowUntil_ = now + std::chrono::milliseconds(pace_.forMs);
    if (slowUntil_ == Clock::time_point{})
      return 0;
    if (now >= slowUntil_)
      return want;
    if (now >= nextAllowance_) {
      allowance_ = pace_.bytes;
      nextAllowance_ = now + std::chrono::milliseconds(pace_.everyMs);
    }
    return std::min(want, allowance_);
  }
  void Read(std::size_t bytes) { allowance_ -= std::min(allowance_, bytes); }

private:
  Pace pace_;
  Clock::time_point slowUntil_{}, nextAllowance_{};
  std::size_t allowance_ = 0;
};

// A guest that sends `out` `repeat` times as fast as the connection takes it
// and, when it reads, reads until `expected` bytes came back. It stops when
// done, when its connection fails or after a bound.
class RawGuest {
public:
  RawGuest(int port, std::string out, int repeat, std::size_t expected, bool reads, Pace pace = {})
      : out_(std::move(out)), total_(out_.size() * static_cast<std::size_t>(repeat)), expected_(expected),
        reads_(reads), pace_(pace) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    const int small = 4096; // a peer that does not read fills up soon
    if (!reads)
      ::setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    const sockaddr_in address = loopback::Loopback(port);
    connected_ = ::connect(fd_, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::fcntl(fd_, F_SETFL, O_NONBLOCK);
    thread_ = std::thread([this] { Run(); });
  }
  ~RawGuest() {
    stop_ = true;
    thread_.join();
    ::close(fd_);
  }
  RawGuest(const RawGuest &) = delete;
  RawGuest &operator=(const RawGuest &) = delete;

  // A paced guest's slow reading begins once this is called and its burst is out.
  void StartReading() { go_ = true; }
  bool Done() const { return done_; }
  // Valid once Done().
  std::size_t Sent() const { return sent_; }
  const std::string &Received() const { return received_; }

private:
  void Run() {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    bool failed = !connected_;
    std::vector<char> buffer(1 << 16);
    PacedReading paced(pace_);
    while (!failed && !stop_ && Clock::now() < deadline &&
           (sent_ < total_ || (reads_ && received_.size() < expected_))) {
      const bool flooding = sent_ < total_;
      const std::size_t want = paced.Allowed(buffer.size(), !flooding && go_);
      const bool reading = reads_ && want > 0;
      pollfd ready{fd_, static_cast<short>((flooding ? POLLOUT : 0) | (reading ? POLLIN : 0)), 0};
      ::poll(&ready, 1, 50);
      if (flooding) {
        const std::size_t at = sent_ % out_.size();
        const ssize_t n = ::send(fd_, out_.data() + at, out_.size() - at, MSG_NOSIGNAL);
        if (n > 0)
          sent_ += static_cast<std::size_t>(n);
        failed = n < 0 && errno != EAGAIN;
      }
      if (reading) {
        const ssize_t n = ::recv(fd_, buffer.data(), want, 0);
        if (n > 0) {
          paced.Read(static_cast<std::size_t>(n));
          received_.append(buffer.data(), static_cast<std::size_t>(n));
        }
        failed = failed || n == 0 || (n < 0 && errno != EAGAIN);
      }
    }
    done_ = true;
  }

  std::string out_;
  std::size_t total_;
  std::size_t expected_;
  bool reads_;
  Pace pace_;
  int fd_ = -1;
  bool connected_ = false;
  std::size_t sent_ = 0;
  std::string received_;
  std::atomic<bool> go_{false};
  std::atomic<bool> stop_{false};
  std::atomic<bool> done_{false};
  std::thread thread_;
};

// A connection of the server that counts when it is freed. The count outlives
// the host: a connection may be freed from the event loop after its host is gone.
struct CountedConnection : Zev::TPacketServerClientWinSocket {
  CountedConnection(int socket, platform::TServerWinSocket *server, std::shared_ptr<int> freed)
      : TPacketServerClientWinSocket(socket, server), freed(std::move(freed)) {}
  ~CountedConnection() override { ++*freed; }
  std::shared_ptr<int> freed;
};

// The hosting side: the server relays every packet to every connection, the
// sender's own included, through the match's sockets; its own client reads.
struct Host {
  nettest::ManualClock clock;
  bool realTime = false; // the relay's clock is the steady one instead
  Zev::TPacketServerSocket server;
  Zev::TPacketClientSocket client;
  network::ZevMatchSockets sockets{
      client, server, [this] { return realTime ? network::RelayQueueWatch::SteadyMs() : clock.Now(); }};
  std::string clientReceived; // framed again, to compare with what was sent
  int relayed = 0;
  std::shared_ptr<int> freed = std::make_shared<int>(0); // connections freed, their queues with them

  explicit Host(bool realTime = false) : realTime(realTime) {
    server.SetOnGetSocket([this](auto *, int socket, auto &connection) {
      connection = std::make_unique<CountedConnection>(socket, server.Socket(), freed);
    });
    server.SetOnPacketArrived([this](auto *, auto *, const void *data, int size) {
      ++relayed;
      sockets.ServerSendToAll(data, size);
    });
    server.SetActive(true);
    client.SetOnPacketArrived([this](auto *, auto *, const void *data, int size) {
      clientReceived += Framed(std::string(static_cast<const char *>(data), static_cast<std::size_t>(size)));
    });
    client.SetHost("127.0.0.1");
    client.SetPort(Port());
    client.SetActive(true);
    EXPECT_TRUE(PumpUntil([this] { return client.Socket()->Connected() && server.ActiveConnections() == 1; }))
        << "the host's own client connected";
  }
  int Port() const { return server.Socket()->LocalPort(); }
  bool ClientOpen() const { return client.Socket()->Connected(); }
  // The host's own client sends a game text and gets its echo (after
  // whatever was still on its way).
  ::testing::AssertionResult Echo() {
    const std::string text("Condit11", 9);
    const std::size_t before = clientReceived.size();
    client.SendPacket(text.data(), static_cast<int>(text.size()));
    return PumpUntil(
        [&] { return clientReceived.size() > before && clientReceived.ends_with(Framed(text)); });
  }
};

// The rule itself, on a connection looked at once a second.
TEST(RelayQueue, CutOnlyWhatHoldsMoreThanTheLimitAndTakesNothing) {
  struct Case {
    const char *name;
    std::int64_t queued;
    bool taking; // takes some bytes between looks
    int seconds;
    bool cut;
  } cases[] = {
      {"one largest packet, not taken for a minute", kLargestLength, false, 60, false},
      {"16 MiB not taken for a second", 16 << 20, false, 1, false},
      {"16 MiB not taken for a minute", 16 << 20, false, 60, true},
      {"16 MiB being taken for a minute", 16 << 20, true, 60, false},
      {"1 GiB at once", std::int64_t{1} << 30, true, 0, true},
  };
  for (const Case &c : cases) {
    std::int64_t now = 0;
    network::RelayQueueWatch watch([&] { return now; });
    const network::ConnectionId connection = &now;
    bool cut = false;
    for (int second = 0; second <= c.seconds && !cut; ++second, now += 1000)
      cut = !watch.ToCut({{connection, c.queued, c.taking ? std::uint64_t(second) : 0u}}).empty();
    EXPECT_EQ(cut, c.cut) << c.name;
  }
}

struct Burst {
  const char *name;
  int count;
  std::size_t length;
};

// A guest that reads may send any legal burst at once: the host's client and
// the guest both stay connected and get every byte, in order, while the
// relay's clock runs on.
TEST(RelayQueue, ReadersStayConnectedAndGetEveryBurstWhole) {
  for (const Burst &burst :
       {Burst{"200,000 small frames", 200000, 12}, Burst{"eight 1 MiB frames", 8, kLargestLength}}) {
    SCOPED_TRACE(burst.name);
    Host host;
    const std::string out = Frames(burst.count, burst.length);
    RawGuest guest(host.Port(), out, 1, out.size(), true);
    ASSERT_TRUE(PumpUntil(
        [&] {
          host.clock.Advance(100);
          return guest.Done() && (host.clientReceived.size() >= out.size() || !host.ClientOpen());
        },
        60000));
    EXPECT_TRUE(guest.Received() == out) << guest.Received().size() << " of " << out.size();
    EXPECT_TRUE(host.clientReceived == out) << host.clientReceived.size() << " of " << out.size();
    EXPECT_TRUE(host.ClientOpen());
    EXPECT_EQ(host.server.ActiveConnections(), 2);
  }
}

// A guest that sends a burst and, once the host has it all, reads slowly but
// steadily for twice the stall time is kept, though the host is never told
// that it may write again: what moves is only what the guest's kernel takes
// from the host's. It gets every byte in the end. The relay runs on real
// time here, as the kernels do.
TEST(RelayQueue, SlowSteadyReaderIsKept) {
  Host host(true);
  const int frames = 12;
  const std::string out = Frames(frames, kLargestLength);
  const int slowMs = 2 * static_cast<int>(network::RelayQueueWatch::kStallMs) + 2000;
  RawGuest guest(host.Port(), out, 1, out.size(), true, Pace{64 << 10, 250, slowMs});
  ASSERT_TRUE(PumpUntil([&] { return host.relayed > 0; }));
  ASSERT_TRUE(
      PumpUntil([&] { return host.relayed == frames || host.server.ActiveConnections() < 2; }, 60000));
  ASSERT_EQ(host.relayed, frames) << "the guest was cut during its burst";
  ASSERT_GT(host.server.GetClientSocket(1)->QueuedBytes(), network::RelayQueueWatch::kStallBytes)
      << "the burst no longer fills the guest's queue past the stall limit";
  guest.StartReading();
  ASSERT_TRUE(PumpUntil([&] { return guest.Done() || host.server.ActiveConnections() < 2; }, 90000));
  EXPECT_EQ(host.server.ActiveConnections(), 2) << "the slow reader was cut";
  ASSERT_TRUE(PumpUntil([&] { return guest.Done(); }, 90000));
  EXPECT_TRUE(guest.Received() == out) << guest.Received().size() << " of " << out.size();
  EXPECT_TRUE(host.clientReceived == out) << host.clientReceived.size() << " of " << out.size();
}

// A guest that floods, then neither reads nor sends, is not cut a second
// after its stall; once it has taken nothing for the stall time it is cut
// and freed, though nobody sends any more. The host's client plays on.
TEST(RelayQueue, QuietNonReaderIsCutAfterItsStall) {
  Host host;
  const int frames = 16;
  RawGuest guest(host.Port(), Frames(1, kLargestLength), frames, 0, false);
  ASSERT_TRUE(PumpUntil([&] { return guest.Done() && host.relayed == frames; }, 60000));
  ASSERT_EQ(guest.Sent(), static_cast<std::size_t>(frames) * kLargestLength);
  ASSERT_TRUE(PumpUntil([&] { return host.clientReceived.size() == guest.Sent(); }));
  EXPECT_EQ(host.server.ActiveConnections(), 2);

  host.clock.Advance(1000);
  ASSERT_TRUE(host.Echo());
  EXPECT_EQ(host.server.ActiveConnections(), 2);

  host.clock.Advance(network::RelayQueueWatch::kStallMs - 1000);
  ASSERT_TRUE(PumpUntil([&] { return host.server.ActiveConnections() == 1; }))
      << "the quiet guest is not cut";
  ASSERT_TRUE(PumpUntil([&] { return *host.freed == 1; })) << "the cut connection is not freed";
  EXPECT_TRUE(host.ClientOpen());
  EXPECT_TRUE(host.Echo());
}

// A guest that floods without reading is cut while the clock stands still,
// long before it has sent what it meant to: its queue cannot take all
// memory. The host's client stays connected.
TEST(RelayQueue, FloodingNonReaderIsCutWithItsQueueBounded) {
  Host host;
  const int frames = 256;
  RawGuest guest(host.Port(), Frames(1, kLargestLength), frames, 0, false);
  ASSERT_TRUE(PumpUntil([&] { return guest.Done(); }, 60000));
  EXPECT_LT(guest.Sent(), static_cast<std::size_t>(frames) * kLargestLength / 2);
  ASSERT_TRUE(PumpUntil([&] { return host.server.ActiveConnections() == 1; }));
  EXPECT_TRUE(host.ClientOpen());
  EXPECT_TRUE(host.Echo());
}

} // namespace
