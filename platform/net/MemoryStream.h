#pragma once
// Byte streams: a seekable stream interface and a growable, contiguous
// in-memory stream. Used for packet payloads.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

enum TSeekOrigin : int { soBeginning, soCurrent, soEnd };

// Raised when a stream yields fewer bytes than were asked for.
inline const char *const StreamReadErrorText = "ストリームの読み込みエラー.";

class TStream {
public:
  TStream() = default;
  TStream(const TStream &) = delete;
  TStream &operator=(const TStream &) = delete;
  virtual ~TStream() = default;

  // Bytes read, at most count (fewer at the end of the stream).
  virtual std::int64_t Read(void *buffer, std::int64_t count) = 0;
  // Bytes written.
  virtual std::int64_t Write(const void *buffer, std::int64_t count) = 0;
  // The new position, never below 0; a write past the end fills the gap with zeros.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  virtual std::int64_t Size() const = 0;
  virtual void SetSize(std::int64_t size) = 0;

  std::int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, soBeginning); }

  // Exactly count bytes, or platform::Exception(StreamReadErrorText).
  void ReadBuffer(void *buffer, std::int64_t count);
  void WriteBuffer(const void *buffer, std::int64_t count);
  // Copies count bytes from source's current position; a short source raises
  // the read error after what it had has been written.
  void CopyFrom(TStream &source, std::int64_t count);
};

class TMemoryStream : public TStream {
public:
  // A large block goes back to the system, not just to the allocator.
  ~TMemoryStream() override;

  std::int64_t Read(void *buffer, std::int64_t count) override;
  std::int64_t Write(const void *buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() const override { return static_cast<std::int64_t>(FData.size() - FHead); }
  // Keeps the allocation when shrinking; the position is clamped to the size.
  void SetSize(std::int64_t size) override;

  std::byte *Memory() { return FData.data() + FHead; }
  const std::byte *Memory() const { return FData.data() + FHead; }
  void Clear();
  // Drops the first count bytes; the position moves back with the data. A
  // queue drained a little at a time costs O(1) a byte: the dropped bytes are
  // only skipped until they outnumber the rest, which then moves down, into
  // memory of its own size when the old block was larger than the kept
  // capacity.
  void RemoveFront(std::int64_t count);
  // The largest block RemoveFront keeps (0 by default): a queue that is often
  // drained and refilled sets what it usually holds at most, so it does not
  // give its block back and grow it again each time.
  void SetKeptCapacity(std::size_t bytes) { FKeptCapacity = bytes; }

private:
  // Swaps in the block that replaces FData's, and frees the old one.
  void Replace(std::vector<std::byte> data);

  std::vector<std::byte> FData;
  std::size_t FHead = 0; // dropped bytes still at the front of FData
  std::int64_t FPosition = 0;
  std::size_t FKeptCapacity = 0;
};

} // namespace platform
