#include "SoundEffects.h"

#include "WavStream.h"

#include <QLoggingCategory>

#include <exception>
#include <memory>

namespace platform::audio {

namespace {
Q_LOGGING_CATEGORY(lcSound, "marvok.audio.sound", QtInfoMsg)
} // namespace

SoundEffects::SoundEffects(AudioOutput &output, QObject *parent)
    : QObject(parent), effect_(output), dropped_(output) {}

void SoundEffects::Play(const QString &fileName) noexcept {
  try {
    effect_.Start(std::make_unique<WavStream>(WavFile(fileName)));
  } catch (const std::exception &error) {
    // A missing sound is not worth interrupting the game for.
    effect_.Stop();
    qCDebug(lcSound) << error.what();
  }
}

bool SoundEffects::PlayFile(const QString &fileName, std::function<void()> onFinished) {
  dropped_.Stop();
  try {
    dropped_.Start(std::make_unique<WavStream>(WavFile(fileName)), std::move(onFinished));
    return true;
  } catch (const std::exception &error) {
    qCDebug(lcSound) << error.what();
    return false;
  }
}

} // namespace platform::audio
