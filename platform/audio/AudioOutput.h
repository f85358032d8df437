#pragma once
// The one audio output of the program: mixes the attached sources into 16-bit stereo at 44.1 kHz
// and plays them on the default device. With no device (a machine without a sound card, CI) the
// same sources are pulled by a silent clock in real time, so music still advances, ends and loops.
#include "PcmSource.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class QAudioSink;
class QIODevice;

namespace platform::audio {

class AudioOutput : public QObject {
  Q_OBJECT
public:
  enum class Kind {
    Automatic, // the default device, or the silent real-time clock when there is none
    Silent,    // the silent real-time clock, whatever the machine has
    Manual,    // no clock at all: only Advance() renders (tests)
  };

  explicit AudioOutput(Kind kind = Kind::Automatic, QObject *parent = nullptr);
  ~AudioOutput() override;
  AudioOutput(const AudioOutput &) = delete;
  AudioOutput &operator=(const AudioOutput &) = delete;

  // True when a real device plays the sound.
  bool HasDevice() const { return sink_ != nullptr; }

  // A source is pulled from while attached; attaching twice or detaching a stranger does nothing.
  void Attach(PcmSource &source);
  void Detach(PcmSource &source);
  bool IsAttached(const PcmSource &source) const;
  bool IsRunning() const { return running_; }

  // Renders the given stretch of time at once, as the clock would have. For tests; the program's
  // own clock is real time.
  void Advance(std::chrono::milliseconds duration);

  // Mixes frames of all attached sources into out (interleaved stereo); the device pulls here.
  void Mix(std::span<std::int16_t> out);

private:
  void StartClock();
  void StopClock();
  void OnSilentTick();
  void OnDeviceIdleTimeout();
  void FallBackToSilent();

  Kind kind_;
  std::vector<PcmSource *> sources_;
  std::vector<PcmSource *> snapshot_;
  std::vector<std::int16_t> scratch_;
  std::vector<std::int32_t> accumulator_;
  std::vector<std::int16_t> discard_; // what the silent clock and Advance() mix into
  bool running_ = false;

  // The silent clock: counts frames owed since it started, so ticks never drift.
  QTimer silentTimer_;
  QElapsedTimer silentClock_;
  std::int64_t silentFramesDone_ = 0;

  // The device path.
  std::unique_ptr<QIODevice> pullDevice_;
  QAudioSink *sink_ = nullptr; // child of this
  QTimer deviceIdleTimer_;
};

} // namespace platform::audio
