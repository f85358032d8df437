#include "SmfCheck.h"

#include <cstdint>
#include <cstring>

namespace platform::audio {

namespace {

constexpr std::size_t kChunkHeaderSize = 8;

std::uint32_t ReadBigEndian(std::span<const std::byte> data, std::size_t at, std::size_t bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < bytes; ++i)
    value = (value << 8) | std::to_integer<std::uint32_t>(data[at + i]);
  return value;
}

bool ChunkIdIs(std::span<const std::byte> data, std::size_t at, const char (&id)[5]) {
  return std::memcmp(data.data() + at, id, 4) == 0;
}

} // namespace

bool IsWellFormedSmf(std::span<const std::byte> data) {
  if (data.size() < kChunkHeaderSize + 6 || !ChunkIdIs(data, 0, "MThd"))
    return false;
  const std::uint32_t headerLength = ReadBigEndian(data, 4, 4);
  if (headerLength < 6 || headerLength > data.size() - kChunkHeaderSize)
    return false;
  const std::uint32_t format = ReadBigEndian(data, 8, 2);
  const std::uint32_t tracks = ReadBigEndian(data, 10, 2);
  const std::uint32_t division = ReadBigEndian(data, 12, 2);
  if (format > 2 || tracks == 0 || division == 0)
    return false;

  std::uint32_t tracksFound = 0;
  std::size_t at = kChunkHeaderSize + headerLength;
  while (tracksFound < tracks) {
    if (data.size() - at < kChunkHeaderSize)
      return false;
    const std::uint32_t length = ReadBigEndian(data, at + 4, 4);
    if (length > data.size() - at - kChunkHeaderSize)
      return false;
    if (ChunkIdIs(data, at, "MTrk"))
      ++tracksFound;
    at += kChunkHeaderSize + length;
  }
  return true;
}

} // namespace platform::audio
