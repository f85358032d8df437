#pragma once
// Packets as they travel: a length word (little-endian, counting itself), then
// the payload.
#include <cstdint>
#include <string>

namespace frames {

inline std::string LengthWord(std::int32_t length) {
  const auto value = static_cast<std::uint32_t>(length);
  std::string out;
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
  return out;
}

// A payload as a string.
inline std::string Text(const void *data, int size) {
  return {static_cast<const char *>(data), static_cast<std::size_t>(size)};
}

inline std::string Framed(const std::string &payload) {
  return LengthWord(static_cast<std::int32_t>(payload.size() + 4)) + payload;
}

} // namespace frames
