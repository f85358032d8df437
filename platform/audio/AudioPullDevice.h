#pragma once
// What the sound device reads: every read mixes the output's sources on demand, so it never runs
// dry and never holds more than the device asked for.
#include <QIODevice>

#include <cstdint>
#include <vector>

namespace platform::audio {

class AudioOutput;

class AudioPullDevice final : public QIODevice {
public:
  explicit AudioPullDevice(AudioOutput &output) : output_(output) {}
  bool isSequential() const override { return true; }
  qint64 bytesAvailable() const override;

protected:
  qint64 readData(char *data, qint64 maxSize) override;
  qint64 writeData(const char *, qint64) override { return -1; }

private:
  AudioOutput &output_;
  std::vector<std::int16_t> staging_;
};

} // namespace platform::audio
