#pragma once
// What the audio output pulls from: 16-bit interleaved stereo at 44.1 kHz.
#include <cstddef>
#include <cstdint>
#include <span>

namespace platform::audio {

inline constexpr int kSampleRate = 44100;
inline constexpr int kChannels = 2;
inline constexpr int kBytesPerFrame = kChannels * static_cast<int>(sizeof(std::int16_t));

inline constexpr std::size_t FramesFor(std::int64_t milliseconds) {
  return static_cast<std::size_t>(milliseconds * kSampleRate / 1000);
}

class PcmSource {
public:
  virtual ~PcmSource() = default;

  // Writes up to out.size() / 2 frames into the zero-filled buffer and returns how many it wrote;
  // a finite source writes fewer only when it has run out. Runs on the output's thread, and may
  // detach the source from its output while it runs.
  virtual std::size_t Render(std::span<std::int16_t> out) = 0;
};

} // namespace platform::audio
