#pragma once
// A manual clock: actions run in the order of their due time (first come
// first served among equal times), and a hook runs after each one. Time moves
// only when a test asks it to.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

namespace nettest {

class ManualClock {
public:
  using Action = std::function<void()>;

  std::int64_t Now() const { return now_; }
  void At(std::int64_t when, Action action) {
    queue_.emplace(Key{std::max(when, now_), seq_++}, std::move(action));
  }
  void After(std::int64_t delayMs, Action action) { At(now_ + delayMs, std::move(action)); }

  // Runs after every action (timers re-armed, players react).
  std::function<void()> afterEach;

  // Runs everything due within the next ms, actions added meanwhile included.
  void Advance(std::int64_t ms) {
    const std::int64_t until = now_ + ms;
    while (!queue_.empty() && queue_.begin()->first.first <= until)
      RunNext();
    now_ = until;
  }

  // Runs actions until done() holds or limitMs of clock time have passed;
  // returns done(). Bounded by the limit even when actions never stop coming.
  bool RunUntil(const std::function<bool()> &done, std::int64_t limitMs) {
    const std::int64_t until = now_ + limitMs;
    while (!done()) {
      if (queue_.empty() || queue_.begin()->first.first > until) {
        now_ = until;
        return done();
      }
      RunNext();
    }
    return true;
  }

private:
  using Key = std::pair<std::int64_t, std::uint64_t>;

  void RunNext() {
    auto first = queue_.begin();
    now_ = first->first.first;
    Action action = std::move(first->second);
    queue_.erase(first);
    action();
    if (afterEach)
      afterEach();
  }

  std::int64_t now_ = 0;
  std::uint64_t seq_ = 0;
  std::map<Key, Action> queue_;
};

} // namespace nettest
