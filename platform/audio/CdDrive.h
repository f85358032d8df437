#pragma once
// A CD drive, or a disc image (BIN/CUE, TOC, NRG) opened like one, read through libcdio: its
// table of contents and raw audio sectors.
#include <QString>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

struct _CdIo;

namespace platform::audio {

inline constexpr int kCdFramesPerSecond = 75;  // sectors per second of audio
inline constexpr int kCdFramesPerSector = 588; // stereo sample frames in one sector
inline constexpr int kCdSectorBytes = 2352;

struct CdTrack {
  int number = 0;
  std::int32_t start = 0; // first sector (logical, without the 2 s lead-in)
  std::int32_t end = 0;   // one past its last sector
  bool audio = false;     // a data track is never played as sound
};

class CdDrive {
public:
  // The system's default drive, empty when the machine has none.
  static QString DefaultDevice();

  // Opens the default drive when name is empty, else the drive or image file named. Throws
  // platform::Exception "オーディオCDをオープンできませんでした" when it can't be opened.
  explicit CdDrive(const QString &name);
  ~CdDrive();
  CdDrive(const CdDrive &) = delete;
  CdDrive &operator=(const CdDrive &) = delete;

  // A disc is in the drive and its table of contents was read. An image holds its disc until
  // its file is removed, as a drive's disc is taken out.
  bool IsMediaPresent() const;
  const std::vector<CdTrack> &Tracks() const { return tracks_; }

  // Reads whole sectors of CD-DA (little-endian 16-bit stereo) into out, which holds at least
  // count * kCdSectorBytes / 2 samples. False when the drive reports an error.
  bool ReadAudio(std::int32_t firstSector, int count, std::span<std::int16_t> out) const;

private:
  struct Destroy {
    void operator()(_CdIo *cdio) const;
  };
  std::unique_ptr<_CdIo, Destroy> cdio_;
  bool image_ = false;
  QString imagePath_;
  std::vector<CdTrack> tracks_;
};

} // namespace platform::audio
