#pragma once
// One sound at a time on the output: starting another cuts the one that plays. When a sound runs
// out by itself the slot leaves the output and reports the end through the event loop.
#include "AudioOutput.h"
#include "PcmSource.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>

namespace platform::audio {

class SoundSlot : public QObject, private PcmSource {
  Q_OBJECT
public:
  explicit SoundSlot(AudioOutput &output, QObject *parent = nullptr);
  ~SoundSlot() override;
  SoundSlot(const SoundSlot &) = delete;
  SoundSlot &operator=(const SoundSlot &) = delete;

  // onEnd runs once the sound has played to its end; never after Stop() or another Start().
  void Start(std::unique_ptr<PcmSource> sound, std::function<void()> onEnd = {});
  void Stop();
  bool IsPlaying() const { return sound_ != nullptr; }

private:
  std::size_t Render(std::span<std::int16_t> out) override;

  QPointer<AudioOutput> output_;
  std::unique_ptr<PcmSource> sound_;
  std::function<void()> onEnd_;
  std::uint64_t generation_ = 0; // tells a late end notice from the current sound's
};

} // namespace platform::audio
