#include "platform/audio/WavStream.h"
#include "platform/core/Exception.h"

#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using platform::audio::WavFile;
using platform::audio::WavStream;

namespace {

std::vector<std::int16_t> DecodeAll(const QString &path) {
  WavStream stream{WavFile(path)};
  std::vector<std::int16_t> all;
  std::vector<std::int16_t> chunk(1000 * 2);
  for (;;) {
    std::fill(chunk.begin(), chunk.end(), std::int16_t{0});
    const std::size_t frames = stream.Render(chunk);
    all.insert(all.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(frames * 2));
    if (frames < 1000)
      return all;
  }
}

// Zero crossings per second of the left channel: the tone's pitch, twice over.
template <typename T> double CrossingsPerSecond(const std::vector<T> &samples, int stride, int rate) {
  int crossings = 0;
  for (std::size_t i = static_cast<std::size_t>(stride); i < samples.size();
       i += static_cast<std::size_t>(stride))
    if ((samples[i - static_cast<std::size_t>(stride)] < 0) != (samples[i] < 0))
      ++crossings;
  return crossings / (static_cast<double>(samples.size() / static_cast<std::size_t>(stride)) / rate);
}

class WavVariants : public ::testing::TestWithParam<const char *> {};

TEST_P(WavVariants, DecodeToStereoAtTheOutputRateKeepingLengthAndPitch) {
  const QString path = testpaths::TestData(QString("wav/") + GetParam());

  WavFile native(path);
  std::vector<float> source(static_cast<std::size_t>(native.Frames() * native.Channels()));
  source.resize(native.Read(source) * static_cast<std::size_t>(native.Channels()));
  ASSERT_GT(source.size(), 0u);

  const std::vector<std::int16_t> decoded = DecodeAll(path);
  const double expectedFrames = static_cast<double>(native.Frames()) * 44100 / native.SampleRate();
  EXPECT_NEAR(static_cast<double>(decoded.size() / 2), expectedFrames, 1.0);

  const auto peak = std::max_element(decoded.begin(), decoded.end(), [](std::int16_t a, std::int16_t b) {
    return std::abs(a) < std::abs(b);
  });
  EXPECT_GT(std::abs(*peak), 8000) << "the tone came out near silent";

  const double nativePitch = CrossingsPerSecond(source, native.Channels(), native.SampleRate());
  EXPECT_NEAR(CrossingsPerSecond(decoded, 2, 44100), nativePitch, nativePitch * 0.03);

  // Mono plays on both sides.
  if (native.Channels() == 1) {
    for (std::size_t i = 0; i < decoded.size(); i += 2)
      ASSERT_EQ(decoded[i], decoded[i + 1]);
  }
}

INSTANTIATE_TEST_SUITE_P(TestData, WavVariants,
                         ::testing::Values("pcm8-mono-22k.wav", "pcm16-stereo-44k.wav", "pcm24-mono-48k.wav",
                                           "float32-mono-44k.wav", "ima-adpcm-mono-11k.wav",
                                           "ulaw-mono-8k.wav"));

TEST(WavFile, DamagedOrMissingFilesFailWithAnError) {
  for (const char *name :
       {"wav/truncated-header.wav", "wav/garbage.wav", "wav/missing-file.wav", "bmp/tile-24bit.bmp"}) {
    try {
      WavFile file(testpaths::TestData(name));
      ADD_FAILURE() << name << " opened as a sound";
    } catch (const platform::Exception &error) {
      EXPECT_NE(error.Message().find(name), std::string::npos) << error.Message();
    }
  }
}

} // namespace
