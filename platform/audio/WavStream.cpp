#include "WavStream.h"

#include <algorithm>
#include <cmath>

namespace platform::audio {

namespace {
constexpr std::size_t kBlockFrames = 1024;

std::int16_t ToSample(float value) {
  return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
}
} // namespace

WavStream::WavStream(WavFile file)
    : file_(std::move(file)), step_(static_cast<double>(file_.SampleRate()) / kSampleRate),
      block_(kBlockFrames * static_cast<std::size_t>(file_.Channels())) {
  ended_ = !NextSourceFrame(current_);
  if (!ended_)
    haveNext_ = NextSourceFrame(next_);
}

bool WavStream::NextSourceFrame(Frame &frame) {
  if (blockIndex_ == blockFrames_) {
    blockFrames_ = file_.Read(block_);
    blockIndex_ = 0;
    if (blockFrames_ == 0)
      return false;
  }
  const auto channels = static_cast<std::size_t>(file_.Channels());
  const float *source = block_.data() + blockIndex_ * channels;
  // Mono goes to both sides; more than two channels keep the front pair.
  frame = {source[0], channels > 1 ? source[1] : source[0]};
  ++blockIndex_;
  return true;
}

std::size_t WavStream::Render(std::span<std::int16_t> out) {
  const std::size_t frames = out.size() / kChannels;
  std::size_t produced = 0;
  while (produced < frames && !ended_) {
    for (std::size_t channel = 0; channel < kChannels; ++channel) {
      const float a = current_[channel];
      const float b = haveNext_ ? next_[channel] : a; // the last frame holds for its own length
      out[produced * kChannels + channel] = ToSample(a + static_cast<float>(fraction_) * (b - a));
    }
    ++produced;
    fraction_ += step_;
    while (fraction_ >= 1.0) {
      if (!haveNext_) {
        ended_ = true;
        break;
      }
      current_ = next_;
      haveNext_ = NextSourceFrame(next_);
      fraction_ -= 1.0;
    }
  }
  return produced;
}

} // namespace platform::audio
