#pragma once
// The framing engine's receive buffer: contiguous bytes that grow without
// being zeroed first (a read is about to fill them) and keep their memory
// when emptied, so a payload handed to a handler stays where it is.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>

namespace Zev {

class TReadBuffer {
public:
  std::byte *data() { return FData.get(); }
  const std::byte *data() const { return FData.get(); }
  std::size_t size() const { return FSize; }

  // New bytes are left as they are.
  void resize(std::size_t size) {
    if (size > FCapacity)
      Grow(size);
    FSize = size;
  }
  void clear() { FSize = 0; }
  void EraseFront(std::size_t count) {
    count = std::min(count, FSize);
    std::memmove(FData.get(), FData.get() + count, FSize - count);
    FSize -= count;
  }

private:
  void Grow(std::size_t size) {
    const std::size_t capacity = std::max({size, FCapacity * 2, std::size_t{4096}});
    auto grown = std::make_unique_for_overwrite<std::byte[]>(capacity);
    if (FSize > 0)
      std::memcpy(grown.get(), FData.get(), FSize);
    FData = std::move(grown);
    FCapacity = capacity;
  }

  std::unique_ptr<std::byte[]> FData;
  std::size_t FSize = 0;
  std::size_t FCapacity = 0;
};

} // namespace Zev
