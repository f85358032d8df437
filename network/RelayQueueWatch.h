#pragma once
// Which of the relay's connections to cut. A peer that never reads would make
// its queue grow without end. A connection is cut when its queue holds more
// than kStallBytes and its peer has taken no byte for kStallMs, and at once
// when its queue passes kCeilingBytes, which bounds any connection's queue:
// above it even a peer that reads and keeps up is cut.
//
// Taken bytes are those the peer's kernel has accepted, so a peer that reads
// is seen only when its kernel accepts more: a receiver with a full buffer
// reopens its window only after it has read a good part of a segment (64 KiB
// on loopback). Below the ceiling, a peer whose kernel accepts bytes at least
// once every kStallMs gets every byte in the end. On loopback, after a burst
// of 12 MiB, readers of 32 KiB/s and more were kept; readers of 16 KiB/s and
// less were cut within 10 s.
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
    std::int64_t queuedBytes; // not yet handed to the kernel
    // Taken by the peer over the connection's life; read only where
    // NeedsTakenBytes(queuedBytes), so others may leave it 0.
    std::uint64_t takenBytes;
  };

  // Whether ToCut reads a queue's takenBytes: only one over kStallBytes can
  // stall, and one over kCeilingBytes is cut whatever its peer took. Asking
  // the kernel costs a call per connection, so callers ask only here.
  static bool NeedsTakenBytes(std::int64_t queuedBytes) {
    return queuedBytes > kStallBytes && queuedBytes <= kCeilingBytes;
  }

  explicit RelayQueueWatch(Clock now = SteadyMs) : now_(std::move(now)) {}

  // The connections to cut, given every open connection's queue now.
  std::vector<ConnectionId> ToCut(const std::vector<Queue> &queues);
  // Whether a connection left by the last look is over kStallBytes: it must
  // be looked at again, sends or not, to be cut in time.
  bool Watching() const { return !stalls_.empty(); }

private:
  // Since when the peer of a connection over kStallBytes has taken nothing.
  struct Stall {
    std::int64_t sinceMs;
    std::uint64_t takenBytes;
  };

  Clock now_;
  std::map<ConnectionId, Stall> stalls_;
};

} // namespace network
