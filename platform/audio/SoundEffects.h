#pragma once
// The game's sound service: short sounds started by name that play while the game goes on (the
// search sounds), and a sound file the user dropped, played once with a notice when it ends.
// Neither blocks; a file that is missing or no sound plays nothing and raises no error.
#include "AudioOutput.h"
#include "SoundSlot.h"

#include <QObject>
#include <QString>

#include <functional>

namespace platform::audio {

class SoundEffects : public QObject {
  Q_OBJECT
public:
  explicit SoundEffects(AudioOutput &output, QObject *parent = nullptr);

  // Starts the sound and returns at once; the name is looked up from the current folder. A sound
  // still playing from an earlier call is cut, as only one sound plays at a time.
  void Play(const QString &fileName) noexcept;
  bool IsPlaying() const { return effect_.IsPlaying(); }

  // Plays a dropped file once without blocking, stopping a dropped file still playing. Returns
  // false, and never calls onFinished, when the file can't be played; otherwise onFinished runs
  // from the event loop when the sound has played to its end (not when StopFile cuts it).
  bool PlayFile(const QString &fileName, std::function<void()> onFinished);
  void StopFile() { dropped_.Stop(); }
  bool IsFilePlaying() const { return dropped_.IsPlaying(); }

private:
  SoundSlot effect_;
  SoundSlot dropped_;
};

} // namespace platform::audio
