#include "network/RelayQueueWatch.h"

#include <chrono>
#include <optional>

namespace network {

std::int64_t RelayQueueWatch::SteadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::vector<ConnectionId> RelayQueueWatch::ToCut(const std::vector<Queue> &queues) {
  std::vector<ConnectionId> cut;
  std::map<ConnectionId, Stall> stalls;
  std::optional<std::int64_t> now; // read only when a queue is over the limit
  for (const Queue &queue : queues) {
    if (queue.queuedBytes > kCeilingBytes) {
      cut.push_back(queue.connection);
      continue;
    }
    if (!NeedsTakenBytes(queue.queuedBytes))
      continue;
    if (!now)
      now = now_();
    // A connection whose peer took bytes since the last look starts over;
    // the queue only shrinks as the peer takes bytes, so one that took none
    // has held more than the limit all along.
    const auto known = stalls_.find(queue.connection);
    const Stall stall = known != stalls_.end() && known->second.takenBytes == queue.takenBytes
                            ? known->second
                            : Stall{*now, queue.takenBytes};
    if (*now - stall.sinceMs >= kStallMs)
      cut.push_back(queue.connection);
    else
      stalls.emplace(queue.connection, stall);
  }
  // Connections no longer listed, or back under the limit, are forgotten.
  stalls_ = std::move(stalls);
  return cut;
}

} // namespace network
