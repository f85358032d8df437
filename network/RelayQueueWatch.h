#pragma once
// Which of the relay's connections to cut. A peer that never reads would make
// its queue grow without end. A connection is cut when its queue holds more
// than kStallBytes and it has taken no byte for kStallMs, and at once when its
// queue passes kCeilingBytes, which bounds any connection's queue: above it
// even a peer that reads and keeps up is cut. Below it a peer that reads gets
// every byte in the end.
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "network/MatchSockets.h"

namespace network {

class RelayQueueWatch {
public:
  // Milliseconds on a clock that never goes back.
  using Clock = std::function<std::int64_t()>;
  static std::int64_t SteadyMs();

  // Above the largest legal packet (1 MiB), so a few of them at once are fine.
  static constexpr std::int64_t kStallBytes = 4 << 20;
  static constexpr std::int64_t kStallMs = 5000;
  static constexpr std::int64_t kCeilingBytes = 64 << 20;

  struct Queue {
    ConnectionId connection;
    std::int64_t queuedBytes; // not yet taken by the connection
    std::uint64_t sentBytes;  // taken over its life
  };

  explicit RelayQueueWatch(Clock now = SteadyMs) : now_(std::move(now)) {}

  // The connections to cut, given every open connection's queue now.
  std::vector<ConnectionId> ToCut(const std::vector<Queue> &queues);
  // Whether a connection left by the last look is over kStallBytes: it must
  // be looked at again, sends or not, to be cut in time.
  bool Watching() const { return !stalls_.empty(); }

private:
  // Since when a connection over kStallBytes has taken nothing.
  struct Stall {
    std::int64_t sinceMs;
    std::uint64_t sentBytes;
  };

  Clock now_;
  std::map<ConnectionId, Stall> stalls_;
};

} // namespace network
