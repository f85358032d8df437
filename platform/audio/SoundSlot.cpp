#include "SoundSlot.h"

namespace platform::audio {

SoundSlot::SoundSlot(AudioOutput &output, QObject *parent) : QObject(parent), output_(&output) {}

SoundSlot::~SoundSlot() { Stop(); }

void SoundSlot::Start(std::unique_ptr<PcmSource> sound, std::function<void()> onEnd) {
  Stop();
  if (!sound)
    return;
  sound_ = std::move(sound);
  onEnd_ = std::move(onEnd);
  if (output_)
    output_->Attach(*this);
}

void SoundSlot::Stop() {
  ++generation_;
  if (output_)
    output_->Detach(*this);
  sound_.reset();
  onEnd_ = nullptr;
}

std::size_t SoundSlot::Render(std::span<std::int16_t> out) {
  if (!sound_)
    return 0;
  const std::size_t produced = sound_->Render(out);
  if (produced < out.size() / kChannels) {
    // Ran out: leave the output now, tell the owner later, outside the output's pull.
    sound_.reset();
    if (output_)
      output_->Detach(*this);
    if (onEnd_) {
      QMetaObject::invokeMethod(
          this,
          [this, onEnd = std::move(onEnd_), generation = generation_] {
            if (generation == generation_)
              onEnd();
          },
          Qt::QueuedConnection);
      onEnd_ = nullptr;
    }
  }
  return produced;
}

} // namespace platform::audio
