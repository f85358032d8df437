#pragma once
// The CD audio device: plays the audio tracks of a disc (or disc image) by reading its sectors
// into the shared audio output, from the current position to the end of the disc. Operations
// follow the media-player device the window code drives.
#include "AudioOutput.h"
#include "CdDrive.h"
#include "MediaMode.h"
#include "PcmSource.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace platform::audio {

// A position as track, then minutes, seconds and frames (1/75 s) within that track.
struct CdPosition {
  int track = 0;
  int minutes = 0;
  int seconds = 0;
  int frames = 0;
  bool operator==(const CdPosition &) const = default;
};

class CdPlayer : public QObject, private PcmSource {
  Q_OBJECT
public:
  explicit CdPlayer(AudioOutput &output, QObject *parent = nullptr);
  ~CdPlayer() override;
  CdPlayer(const CdPlayer &) = delete;
  CdPlayer &operator=(const CdPlayer &) = delete;

  // The drive or image to open; empty means the system's default drive.
  void SetDeviceName(const QString &name) { deviceName_ = name; }

  // Opens the device (closing it first if open) at the start of the first audio track. Throws
  // platform::Exception "オーディオCDをオープンできませんでした" when there is no such drive or image.
  void Open();
  // Closes the device; closing a device that is not open does nothing.
  void Close();
  bool IsOpen() const { return drive_ != nullptr; }
  // False when not open or when the drive holds no disc.
  bool IsMediaPresent() const;

  int TrackCount() const;
  bool IsAudioTrack(int track) const;
  int TrackLengthSectors(int track) const;
  CdPosition Position() const;

  // Plays from the current position to the end of the disc, skipping data tracks; from the first
  // audio track when the disc has played to its end. Throws platform::Exception when not open or
  // when the disc has no audio track.
  void Play();
  // Stops where it is; the device stays open. Does nothing on a device that is not open.
  void Stop();
  // To the start of the next audio track (the last one's start on the last track).
  void Next();
  // To the start of the current track, or of the previous one when already at the current one's start.
  void Previous();

  MediaMode Mode() const { return mode_; }

signals:
  // The disc played to its end (delivered through the event loop, after Mode() became Stopped).
  void Ended();

private:
  std::size_t Render(std::span<std::int16_t> out) override;
  const CdTrack *TrackAt(std::int32_t sector) const;
  const CdTrack *FirstAudioTrack() const;
  const CdTrack *NextAudioTrack(int after) const;
  void MoveTo(std::int32_t sector);
  void RequireOpen() const;

  QPointer<AudioOutput> output_;
  QString deviceName_;
  std::unique_ptr<CdDrive> drive_;
  MediaMode mode_ = MediaMode::NotReady;
  std::int64_t cursor_ = 0; // the next sample frame to play, counted from sector 0
  bool atEnd_ = false;
  std::vector<std::int16_t> buffer_;
  std::int32_t bufferStart_ = 0; // first sector held in buffer_
  int bufferSectors_ = 0;
};

} // namespace platform::audio
