#pragma once
// The game's one random generator: a linear congruential generator whose
// sequence the computer's choices depend on.
#include <cstdint>

namespace game {

class Random {
public:
  void Seed(std::uint32_t seed) { seed_ = seed; }
  std::uint32_t SeedValue() const { return seed_; }

  // 0..32767
  int Next() {
    seed_ = seed_ * 22695477u + 1u;
    return static_cast<int>((seed_ >> 16) & 0x7FFFu);
  }

  // A choice among n items: 1..n.
  int Choice(int n) { return Next() % n + 1; }

private:
  std::uint32_t seed_ = 0;
};

} // namespace game
