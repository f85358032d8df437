#include "platform/net/MemoryStream.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "platform/core/Exception.h"
#include "platform/net/FreedMemory.h"

namespace platform {

void TStream::ReadBuffer(void *buffer, std::int64_t count) {
  if (count > 0 && Read(buffer, count) != count)
    throw Exception(StreamReadErrorText);
}

void TStream::WriteBuffer(const void *buffer, std::int64_t count) {
  if (count > 0 && Write(buffer, count) != count)
    throw Exception("ストリームの書き込みエラー.");
}

void TStream::CopyFrom(TStream &source, std::int64_t count) {
  std::array<std::byte, 16384> chunk;
  while (count > 0) {
    const std::int64_t want = std::min<std::int64_t>(count, chunk.size());
    const std::int64_t got = source.Read(chunk.data(), want);
    if (got > 0)
      WriteBuffer(chunk.data(), got);
    if (got != want)
      throw Exception(StreamReadErrorText);
    count -= got;
  }
}

std::int64_t TMemoryStream::Read(void *buffer, std::int64_t count) {
  const std::int64_t available = Size() - FPosition;
  const std::int64_t n = std::clamp<std::int64_t>(count, 0, std::max<std::int64_t>(available, 0));
  if (n > 0)
    std::memcpy(buffer, Memory() + FPosition, static_cast<std::size_t>(n));
  FPosition += n;
  return n;
}

std::int64_t TMemoryStream::Write(const void *buffer, std::int64_t count) {
  if (count <= 0)
    return 0;
  // The source may lie inside this stream, and growing can move it.
  const auto *source = static_cast<const std::byte *>(buffer);
  const bool inside = !FData.empty() && source >= FData.data() && source < FData.data() + FData.size();
  const std::ptrdiff_t offset = inside ? source - FData.data() : 0;
  const std::int64_t end = FPosition + count;
  if (end > Size())
    FData.resize(FHead + static_cast<std::size_t>(end));
  if (inside)
    source = FData.data() + offset;
  std::memmove(Memory() + FPosition, source, static_cast<std::size_t>(count));
  FPosition = end;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? FPosition : Size();
  FPosition = std::max<std::int64_t>(base + offset, 0);
  return FPosition;
}

void TMemoryStream::SetSize(std::int64_t size) {
  FData.resize(FHead + static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
  FPosition = std::min(FPosition, Size());
}

TMemoryStream::~TMemoryStream() { Replace({}); }

void TMemoryStream::Clear() {
  FData.clear();
  FHead = 0;
  FPosition = 0;
}

void TMemoryStream::Replace(std::vector<std::byte> data) {
  // Freeing a large queue would leave the process larger for good under
  // glibc: each mapped block freed raises its mmap threshold, so what a burst
  // allocates afterwards (packets, read buffers, the queue's own next steps)
  // comes from the heap, whose free pages stay with the process. Trimming
  // once such a block has gone gives them back. It walks the heap, but blocks
  // this large are freed rarely: when a large queue goes or halves.
  constexpr std::size_t kReturnedBlockBytes = 4 << 20;
  const bool large = FData.capacity() >= kReturnedBlockBytes;
  std::vector<std::byte>(std::move(data)).swap(FData); // the old block is freed here
  if (large)
    ReturnFreedMemory();
}

void TMemoryStream::RemoveFront(std::int64_t count) {
  count = std::clamp<std::int64_t>(count, 0, Size());
  FHead += static_cast<std::size_t>(count);
  FPosition = std::max<std::int64_t>(FPosition - count, 0);
  const std::size_t rest = FData.size() - FHead;
  if (FHead == 0 || FHead < rest)
    return;
  // Each move is paid for by at least as many dropped bytes.
  if (FData.capacity() <= FKeptCapacity)
    FData.erase(FData.begin(), FData.begin() + static_cast<std::ptrdiff_t>(FHead));
  else
    Replace(std::vector<std::byte>(FData.begin() + static_cast<std::ptrdiff_t>(FHead), FData.end()));
  FHead = 0;
}

} // namespace platform
