#pragma once
// The MIDI sequencer device: plays a Standard MIDI File through the software synthesizer into the
// shared audio output. Operations follow the media-player device the window code drives: set the
// file name, Open, Play, Pause, Stop, Close, and ask Mode().
#include "AudioOutput.h"
#include "MediaMode.h"
#include "PcmSource.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstddef>
#include <memory>
#include <vector>

namespace platform::audio {

class MidiPlayer : public QObject, private PcmSource {
  Q_OBJECT
public:
  static constexpr const char *kDefaultSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
  // The General MIDI sound font the system chose (Debian's alternative),
  // else the one the game installs.
  static QString SystemSoundFont();

  explicit MidiPlayer(AudioOutput &output, QString soundFont = kDefaultSoundFont, QObject *parent = nullptr);
  ~MidiPlayer() override;
  MidiPlayer(const MidiPlayer &) = delete;
  MidiPlayer &operator=(const MidiPlayer &) = delete;

  QString FileName() const { return fileName_; }
  void SetFileName(const QString &fileName) { fileName_ = fileName; }

  // Opens the device with FileName(), closing it first if open. Throws platform::Exception when
  // the file is missing or no MIDI file, or the synthesizer or its sound font can't be loaded.
  void Open();
  // Closes the device; closing a device that is not open does nothing.
  void Close();
  // Plays from the current position, or from the start when the piece has ended (or never
  // started). Throws platform::Exception "MCI デバイスがありません" when not open.
  void Play();
  // Holds the piece where it is; Play goes on from there. Throws like Play when not open.
  void Pause();
  // Silences the piece and reports Stopped; does nothing on a device that is not open.
  void Stop();

  MediaMode Mode() const { return mode_; }
  bool IsOpen() const { return mode_ != MediaMode::NotReady; }
  // Position in MIDI ticks, 0 before the piece has started.
  int CurrentTick() const;

signals:
  // The piece reached its end (delivered through the event loop, after Mode() became Stopped).
  void Ended();

private:
  struct Fluid;

  std::size_t Render(std::span<std::int16_t> out) override;
  void EnsureSynth();
  void StartFromBeginning();
  int SongTicks();
  void Silence();
  void DetachFromOutput();

  QPointer<AudioOutput> output_;
  QString soundFont_;
  QString fileName_;
  std::unique_ptr<Fluid> fluid_;
  std::vector<std::byte> song_; // the open file's bytes, replayed from memory
  MediaMode mode_ = MediaMode::NotReady;
  bool atEnd_ = false;
  std::size_t tailFrames_ = 0;
  int songTicks_ = 0; // the length of the song the player plays, once known
};

} // namespace platform::audio
