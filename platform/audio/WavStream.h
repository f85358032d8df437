#pragma once
// A sound file played as a source of the output: decoded as it is pulled, converted to stereo and
// resampled (linear interpolation) to the output's rate, so a long file costs no memory.
#include "PcmSource.h"
#include "WavFile.h"

#include <array>
#include <vector>

namespace platform::audio {

class WavStream final : public PcmSource {
public:
  explicit WavStream(WavFile file);

  // Renders until the file's end; fewer frames than asked mean the sound is over.
  std::size_t Render(std::span<std::int16_t> out) override;

private:
  using Frame = std::array<float, kChannels>;
  bool NextSourceFrame(Frame &frame);

  WavFile file_;
  double step_; // source frames per output frame
  std::vector<float> block_;
  std::size_t blockFrames_ = 0;
  std::size_t blockIndex_ = 0;
  Frame current_{};
  Frame next_{};
  bool haveNext_ = false;
  double fraction_ = 0.0; // position between current_ and next_
  bool ended_ = false;
};

} // namespace platform::audio
