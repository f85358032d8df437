#pragma once
// A sound file read through libsndfile: PCM 8/16/24/32, float, IMA ADPCM, u-law, ... as floats.
#include <QString>

#include <cstdint>
#include <memory>
#include <span>

struct sf_private_tag;

namespace platform::audio {

class WavFile {
public:
  // Throws platform::Exception when the file is missing, unreadable or not a sound file.
  explicit WavFile(const QString &path);
  ~WavFile();
  WavFile(WavFile &&) noexcept;
  WavFile &operator=(WavFile &&) noexcept;

  int SampleRate() const { return sampleRate_; }
  int Channels() const { return channels_; }
  std::int64_t Frames() const { return frames_; }

  // Reads up to out.size() / Channels() interleaved frames scaled to [-1, 1]; returns the frames
  // read, 0 at the end (a damaged tail ends the sound early instead of failing it).
  std::size_t Read(std::span<float> out);

private:
  struct Close {
    void operator()(sf_private_tag *file) const;
  };
  std::unique_ptr<sf_private_tag, Close> file_;
  int sampleRate_ = 0;
  int channels_ = 0;
  std::int64_t frames_ = 0;
};

} // namespace platform::audio
