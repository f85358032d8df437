// Packets through the relay (client -> packet server that sends every packet
// to all connections -> client), side by side with a plain POSIX echo of the
// same bytes on loopback, and the framing engine alone on in-memory input.
//
//   packet_relay_benchmark [--benchmark_filter=...]
//
// Round trip: one packet out and back per iteration (latency). Stream: 256
// packets sent one by one, then all of them back (throughput). At the end the
// relay's figures against the plain echo's are printed side by side (medians
// when repetitions are asked for).
#include <QCoreApplication>
#include <algorithm>
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

#include "packetsockets/PacketClientSocket.h"
#include "packetsockets/PacketServerSocket.h"
#include "platform/core/MessageBox.h"

namespace {

constexpr int StreamPackets = 256;

std::string Framed(std::size_t payload) {
  std::string out(4 + payload, 'p');
  const auto length = static_cast<std::uint32_t>(payload + 4);
  for (int i = 0; i < 4; ++i)
    out[static_cast<std::size_t>(i)] = static_cast<char>(length >> (8 * i) & 0xFF);
  return out;
}

// ---- plain POSIX: a non-blocking client and an echo peer, driven by poll ----

struct PlainPair {
  int client = -1;
  int echo = -1;

  PlainPair() {
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::listen(listener, 1);
    socklen_t length = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length);
    client = ::socket(AF_INET, SOCK_STREAM, 0);
    ::connect(client, reinterpret_cast<sockaddr *>(&address), sizeof address);
    echo = ::accept(listener, nullptr, nullptr);
    ::close(listener);
    // The same socket options as the components' sockets.
    const int on = 1;
    for (int fd : {client, echo}) {
      ::fcntl(fd, F_SETFL, O_NONBLOCK);
      ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
  }
  ~PlainPair() {
    ::close(client);
    ::close(echo);
  }

  // Sends count packets one send() each, echoes them, reads them all back.
  void Exchange(const std::string &packet, int count) {
    const std::size_t total = packet.size() * static_cast<std::size_t>(count);
    std::size_t sent = 0, back = 0;
    std::string pending; // echoed bytes not yet handed to the kernel
    char buffer[65536];
    while (back < total) {
      while (sent < total) {
        const std::size_t offset = sent % packet.size();
        const ssize_t n = ::send(client, packet.data() + offset, packet.size() - offset, MSG_NOSIGNAL);
        if (n <= 0)
          break;
        sent += static_cast<std::size_t>(n);
      }
      pollfd fds[2] = {{echo, POLLIN, 0}, {client, POLLIN, 0}};
      ::poll(fds, 2, 1000);
      if (fds[0].revents & POLLIN) {
        const ssize_t n = ::recv(echo, buffer, sizeof buffer, 0);
        if (n > 0)
          pending.append(buffer, static_cast<std::size_t>(n));
      }
      if (!pending.empty()) {
        const ssize_t n = ::send(echo, pending.data(), pending.size(), MSG_NOSIGNAL);
        if (n > 0)
          pending.erase(0, static_cast<std::size_t>(n));
      }
      if (fds[1].revents & POLLIN) {
        const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
        if (n > 0)
          back += static_cast<std::size_t>(n);
      }
    }
  }
};

void Plain_RoundTrip(benchmark::State &state) {
  PlainPair pair;
  const std::string packet = Framed(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state)
    pair.Exchange(packet, 1);
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(packet.size()));
}

void Plain_Stream(benchmark::State &state) {
  PlainPair pair;
  const std::string packet = Framed(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state)
    pair.Exchange(packet, StreamPackets);
  state.SetItemsProcessed(state.iterations() * StreamPackets);
  state.SetBytesProcessed(state.iterations() * StreamPackets * static_cast<int64_t>(packet.size()));
}

// ---- the components: client -> relay server -> the same client ----

struct Relay {
  Zev::TPacketServerSocket server;
  Zev::TPacketClientSocket client;
  int received = 0;

  Relay() {
    server.SetOnPacketArrived([this](platform::TObject *, platform::TCustomWinSocket *, const void *data,
                                     int size) { server.SendPacketToAll(data, size); });
    server.SetActive(true);
    client.SetOnPacketArrived([this](auto *, auto *, const void *, int) { ++received; });
    client.SetHost("127.0.0.1");
    client.SetPort(server.Socket()->LocalPort());
    client.SetActive(true);
    while (!client.Socket()->Connected() || server.ActiveConnections() == 0)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  ~Relay() {
    client.SetActive(false);
    server.SetActive(false);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void Exchange(const std::string &payload, int count) {
    received = 0;
    for (int i = 0; i < count; ++i)
      client.SendPacket(payload.data(), static_cast<int>(payload.size()));
    while (received < count)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
};

void Relay_RoundTrip(benchmark::State &state) {
  Relay relay;
  const std::string payload(static_cast<std::size_t>(state.range(0)), 'p');
  for (auto _ : state)
    relay.Exchange(payload, 1);
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(payload.size() + 4));
}

void Relay_Stream(benchmark::State &state) {
  Relay relay;
  const std::string payload(static_cast<std::size_t>(state.range(0)), 'p');
  for (auto _ : state)
    relay.Exchange(payload, StreamPackets);
  state.SetItemsProcessed(state.iterations() * StreamPackets);
  state.SetBytesProcessed(state.iterations() * StreamPackets * static_cast<int64_t>(payload.size() + 4));
}

// ---- the framing engine alone ----

// Serves a prepared byte stream in reads of at most the engine's asking, and
// accepts every send whole.
class MemorySocket : public platform::TCustomWinSocket {
public:
  using platform::TCustomWinSocket::Event;
  std::string input;
  std::size_t at = 0;
  std::size_t handed = 0;

  int ReceiveLength() override { return static_cast<int>(input.size() - at); }
  int ReceiveBuf(void *buffer, int count) override {
    const std::size_t n = std::min(input.size() - at, static_cast<std::size_t>(count));
    std::memcpy(buffer, input.data() + at, n);
    at += n;
    return static_cast<int>(n);
  }
  int SendBuf(const void *, int count) override { return handed += static_cast<std::size_t>(count), count; }
  void Close() override {}
  bool Connected() const override { return true; }
};

void Engine_Receive(benchmark::State &state) {
  MemorySocket socket;
  Zev::TSocketPacketRW engine(&socket);
  std::size_t delivered = 0;
  engine.SetOnPacketArrived(
      [&](auto *, auto *, const void *, int size) { delivered += static_cast<std::size_t>(size); });
  const std::string packet = Framed(static_cast<std::size_t>(state.range(0)));
  const int count = std::max(1, (1 << 20) / static_cast<int>(packet.size()));
  for (int i = 0; i < count; ++i)
    socket.input += packet;
  for (auto _ : state) {
    socket.at = 0;
    // A notification reads a bounded amount; the socket stays readable.
    while (socket.at < socket.input.size())
      socket.Event(&socket, platform::seRead);
  }
  benchmark::DoNotOptimize(delivered);
  state.SetItemsProcessed(state.iterations() * count);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(socket.input.size()));
}

void Engine_Send(benchmark::State &state) {
  MemorySocket socket;
  Zev::TSocketPacketRW engine(&socket);
  const std::string payload(static_cast<std::size_t>(state.range(0)), 'p');
  for (auto _ : state)
    engine.SendPacket(payload.data(), static_cast<int>(payload.size()));
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(payload.size() + 4));
}

// 12 bytes: a game text such as "Condition" with its NUL is 10.
BENCHMARK(Plain_RoundTrip)->Arg(12)->Arg(4096)->UseRealTime();
BENCHMARK(Relay_RoundTrip)->Arg(12)->Arg(4096)->UseRealTime();
BENCHMARK(Plain_Stream)->Arg(12)->Arg(4096)->UseRealTime();
BENCHMARK(Relay_Stream)->Arg(12)->Arg(4096)->UseRealTime();
BENCHMARK(Engine_Receive)->Arg(12)->Arg(4096);
BENCHMARK(Engine_Send)->Arg(12)->Arg(4096);

// The console report, then the relay against the plain echo: throughput for
// the streams, latency for the round trips, with the bound each must keep.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  // Colours only on a terminal.
  RatioReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median)
        continue;
      const std::string key = run.run_name.function_name + "/" + run.run_name.args;
      if (median || !medians_.count(key))
        times_[key] = run.GetAdjustedRealTime();
      if (median)
        medians_[key] = true;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    struct Row {
      const char *name;
      const char *kind;
      bool latency; // the relay's time over the plain one; else the plain's over the relay's
      double bound;
    };
    if (std::none_of(times_.begin(), times_.end(),
                     [](const auto &time) { return time.first.starts_with("Relay_"); }))
      return; // no relay case was run
    const Row rows[] = {{"Stream", "throughput", false, 0.8}, {"RoundTrip", "latency", true, 1.5}};
    std::printf("\nrelay vs plain POSIX echo%s:\n%-10s  %-32s %-32s\n", medians_.empty() ? "" : " (medians)",
                "", "12 bytes", "4 KiB");
    for (const Row &row : rows) {
      std::printf("%-10s", row.name);
      for (const char *size : {"12", "4096"}) {
        const auto relay = times_.find(std::string("Relay_") + row.name + "/" + size);
        const auto plain = times_.find(std::string("Plain_") + row.name + "/" + size);
        if (relay == times_.end() || plain == times_.end()) {
          std::printf(" %-32s", "-");
          continue;
        }
        const double ratio = row.latency ? relay->second / plain->second : plain->second / relay->second;
        const bool met = row.latency ? ratio <= row.bound : ratio >= row.bound;
        char cell[64];
        std::snprintf(cell, sizeof cell, "%.2fx %s (%s %.1f)", ratio, row.kind,
                      row.latency ? "<=" : ">=", row.bound);
        std::printf(" %-32s%s", cell, met ? "" : " NOT MET");
      }
      std::printf("\n");
    }
  }

private:
  std::map<std::string, double> times_;
  std::map<std::string, bool> medians_;
};

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  // A socket failure would open a message box: print it instead.
  platform::SetMessageBoxResponder([](const platform::MessageBoxRequest &request) {
    std::fprintf(stderr, "%s\n", request.text.c_str());
    return static_cast<int>(platform::IDOK);
  });
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
