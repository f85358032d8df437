#include "platform/audio/AudioOutput.h"
#include "platform/audio/AudioPullDevice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

using platform::audio::AudioOutput;
using platform::audio::PcmSource;

namespace {

// A source that writes one constant sample, for a limited number of frames.
class Constant final : public PcmSource {
public:
  Constant(std::int16_t value, std::size_t frames) : value_(value), left_(frames) {}
  std::size_t Render(std::span<std::int16_t> out) override {
    const std::size_t frames = std::min(left_, out.size() / 2);
    std::fill_n(out.begin(), frames * 2, value_);
    left_ -= frames;
    pulled_ += frames;
    if (onRender)
      onRender();
    return frames;
  }
  std::size_t pulled_ = 0;
  std::function<void()> onRender;

private:
  std::int16_t value_;
  std::size_t left_;
};

TEST(AudioOutput, MixesSourcesClipsTheSumAndRunsOnlyWhileSourcesAreAttached) {
  AudioOutput output(AudioOutput::Kind::Manual);
  Constant loud(30000, 100000), louder(20000, 100000), quiet(-5, 3);
  std::vector<std::int16_t> mixed(8 * 2);
  output.Attach(loud);
  output.Attach(loud); // a second attach does not double it
  output.Mix(mixed);
  EXPECT_EQ(mixed[0], 30000);
  output.Attach(louder);
  output.Mix(mixed);
  EXPECT_EQ(mixed[15], 32767);

  output.Detach(loud);
  output.Detach(louder);
  output.Detach(louder);
  EXPECT_FALSE(output.IsRunning());
  output.Attach(quiet); // runs out after 3 frames: the rest is silence
  EXPECT_TRUE(output.IsRunning());
  output.Mix(mixed);
  EXPECT_EQ(mixed[5], -5);
  EXPECT_EQ(mixed[6], 0);
}

TEST(AudioOutput, SourceMayLeaveAndEndAnotherWhileMixing) {
  AudioOutput output(AudioOutput::Kind::Manual);
  Constant first(100, 1000000), second(7, 1000000);
  first.onRender = [&] {
    output.Detach(first);
    output.Detach(second);
  };
  output.Attach(first);
  output.Attach(second);
  std::vector<std::int16_t> mixed(4096 * 2);
  output.Mix(mixed);
  EXPECT_EQ(second.pulled_, 0u); // left before its turn: never pulled
  EXPECT_EQ(mixed[0], 100);
  EXPECT_EQ(mixed.back(), 0);
  EXPECT_FALSE(output.IsRunning());
}

TEST(AudioOutput, DeviceReadsWholeFramesIntoAnyBuffer) {
  AudioOutput output(AudioOutput::Kind::Manual);
  Constant source(-2, 1000000);
  output.Attach(source);
  platform::audio::AudioPullDevice device(output);
  ASSERT_TRUE(device.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
  std::vector<char> bytes(64, 'x');
  EXPECT_EQ(device.read(bytes.data() + 1, 43), 40); // odd address, part of a frame left over
  std::int16_t sample = 0;
  std::memcpy(&sample, bytes.data() + 1 + 38, 2);
  EXPECT_EQ(sample, -2);
  EXPECT_EQ(bytes[41], 'x');
  EXPECT_EQ(source.pulled_, 10u);
}

} // namespace
