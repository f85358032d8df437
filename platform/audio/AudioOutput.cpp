#include "AudioOutput.h"

#include "AudioPullDevice.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

#include <algorithm>
#include <limits>

namespace platform::audio {

namespace {

// Frames mixed per pass: small enough that a finished piece is noticed punctually.
constexpr std::size_t kChunkFrames = 1024;
// The silent clock's tick. Nobody hears it, so it renders in long steps: few wake-ups, and a
// song's end is still seen within a tick.
constexpr int kSilentTickMs = 100;
// The most the silent clock catches up in one tick after the event loop was held up.
constexpr std::int64_t kMaxCatchUpFrames = kSampleRate / 2;
// How long the device keeps running on silence after the last source left, so that the
// tail already mixed into its buffer is heard and a quick restart doesn't reopen the stream.
constexpr int kDeviceIdleMs = 500;
constexpr int kDeviceBufferMs = 100;

} // namespace

AudioOutput::AudioOutput(Kind kind, QObject *parent)
    : QObject(parent), kind_(kind), scratch_(kChunkFrames * kChannels),
      accumulator_(kChunkFrames * kChannels), discard_(kChunkFrames * kChannels), silentTimer_(this),
      deviceIdleTimer_(this) {
  silentTimer_.setTimerType(Qt::PreciseTimer);
  silentTimer_.setInterval(kSilentTickMs);
  connect(&silentTimer_, &QTimer::timeout, this, &AudioOutput::OnSilentTick);
  deviceIdleTimer_.setSingleShot(true);
  deviceIdleTimer_.setInterval(kDeviceIdleMs);
  connect(&deviceIdleTimer_, &QTimer::timeout, this, &AudioOutput::OnDeviceIdleTimeout);

  if (kind_ != Kind::Automatic || QMediaDevices::audioOutputs().isEmpty())
    return;
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  QAudioFormat format;
  format.setSampleRate(kSampleRate);
  format.setChannelCount(kChannels);
  format.setSampleFormat(QAudioFormat::Int16);
  if (device.isNull() || !device.isFormatSupported(format))
    return;
  sink_ = new QAudioSink(device, format, this);
  sink_->setBufferSize(static_cast<qsizetype>(FramesFor(kDeviceBufferMs)) * kBytesPerFrame);
  pullDevice_ = std::make_unique<AudioPullDevice>(*this);
  pullDevice_->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  connect(sink_, &QAudioSink::stateChanged, this, [this](QAudio::State state) {
    if (state == QAudio::StoppedState && sink_ != nullptr && sink_->error() != QAudio::NoError &&
        sink_->error() != QAudio::UnderrunError)
      FallBackToSilent();
  });
}

AudioOutput::~AudioOutput() {
  silentTimer_.stop();
  deviceIdleTimer_.stop();
  if (sink_ != nullptr) {
    sink_->disconnect(this);
    sink_->stop();
    delete sink_; // before the pull device it reads from
    sink_ = nullptr;
  }
}

void AudioOutput::Attach(PcmSource &source) {
  if (IsAttached(source))
    return;
  sources_.push_back(&source);
  deviceIdleTimer_.stop();
  if (!running_)
    StartClock();
}

void AudioOutput::Detach(PcmSource &source) {
  const auto found = std::find(sources_.begin(), sources_.end(), &source);
  if (found == sources_.end())
    return;
  sources_.erase(found);
  if (sources_.empty() && running_) {
    if (sink_ != nullptr)
      deviceIdleTimer_.start(); // stopped later, never from inside the device's pull
    else
      StopClock();
  }
}

bool AudioOutput::IsAttached(const PcmSource &source) const {
  return std::find(sources_.begin(), sources_.end(), &source) != sources_.end();
}

void AudioOutput::Mix(std::span<std::int16_t> out) {
  std::fill(out.begin(), out.end(), std::int16_t{0});
  const std::size_t frames = out.size() / kChannels;
  for (std::size_t done = 0; done < frames && !sources_.empty();) {
    const std::size_t chunk = std::min(kChunkFrames, frames - done);
    const std::size_t samples = chunk * kChannels;
    std::fill_n(accumulator_.begin(), samples, 0);
    // A source may detach itself (or end another) while it renders: work on a copy.
    snapshot_ = sources_;
    for (PcmSource *source : snapshot_) {
      if (!IsAttached(*source))
        continue;
      std::fill_n(scratch_.begin(), samples, std::int16_t{0});
      const std::size_t got = std::min(chunk, source->Render({scratch_.data(), samples}));
      for (std::size_t i = 0; i < got * kChannels; ++i)
        accumulator_[i] += scratch_[i];
    }
    for (std::size_t i = 0; i < samples; ++i)
      out[done * kChannels + i] = static_cast<std::int16_t>(
          std::clamp<std::int32_t>(accumulator_[i], std::numeric_limits<std::int16_t>::min(),
                                   std::numeric_limits<std::int16_t>::max()));
    done += chunk;
  }
}

void AudioOutput::Advance(std::chrono::milliseconds duration) {
  for (std::size_t left = FramesFor(duration.count()); left > 0 && !sources_.empty();) {
    const std::size_t chunk = std::min(kChunkFrames, left);
    Mix({discard_.data(), chunk * kChannels});
    left -= chunk;
  }
}

void AudioOutput::StartClock() {
  running_ = true;
  if (kind_ == Kind::Manual)
    return;
  if (sink_ != nullptr) {
    if (sink_->state() == QAudio::StoppedState)
      sink_->start(pullDevice_.get());
    if (sink_ != nullptr && sink_->error() != QAudio::NoError && sink_->error() != QAudio::UnderrunError)
      FallBackToSilent();
    return;
  }
  silentFramesDone_ = 0;
  silentClock_.start();
  silentTimer_.start();
}

void AudioOutput::StopClock() {
  running_ = false;
  silentTimer_.stop();
  deviceIdleTimer_.stop();
  if (sink_ != nullptr)
    sink_->stop();
}

void AudioOutput::OnSilentTick() {
  const std::int64_t due = silentClock_.nsecsElapsed() * kSampleRate / 1'000'000'000;
  std::int64_t owed = due - silentFramesDone_;
  // After a stall, play on from now rather than rushing through what was missed.
  if (owed > kMaxCatchUpFrames)
    owed = kMaxCatchUpFrames;
  silentFramesDone_ = due;
  for (std::int64_t left = owed; left > 0 && !sources_.empty();) {
    const auto chunk = static_cast<std::size_t>(std::min<std::int64_t>(kChunkFrames, left));
    Mix({discard_.data(), chunk * kChannels});
    left -= static_cast<std::int64_t>(chunk);
  }
}

void AudioOutput::OnDeviceIdleTimeout() {
  if (sources_.empty() && running_)
    StopClock();
}

void AudioOutput::FallBackToSilent() {
  // The device failed (unplugged, server gone): keep the music's clock going without it.
  QAudioSink *failed = sink_;
  sink_ = nullptr;
  failed->disconnect(this);
  failed->deleteLater();
  deviceIdleTimer_.stop();
  if (running_) {
    running_ = false;
    StartClock();
  }
}

} // namespace platform::audio
