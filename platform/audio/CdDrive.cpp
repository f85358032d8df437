#include "CdDrive.h"

#include "platform/core/Exception.h"

#include <QFile>
#include <QLoggingCategory>
#include <QtEndian>

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/mmc.h>
#include <cdio/mmc_ll_cmds.h>

#include <mutex>

namespace platform::audio {

namespace {

Q_LOGGING_CATEGORY(lcCd, "marvok.audio.cd", QtInfoMsg)

// libcdio reports every probe it makes on stderr; keep that in our log category instead.
void QuietCdioLog() {
  static std::once_flag once;
  std::call_once(once, [] {
    cdio_log_set_handler([](cdio_log_level_t, const char message[]) { qCDebug(lcCd) << message; });
  });
}

bool IsImageDriver(driver_id_t driver) {
  return driver == DRIVER_BINCUE || driver == DRIVER_CDRDAO || driver == DRIVER_NRG;
}

[[noreturn]] void FailToOpen() { throw Exception("オーディオCDをオープンできませんでした"); }

} // namespace

void CdDrive::Destroy::operator()(_CdIo *cdio) const { cdio_destroy(cdio); }

QString CdDrive::DefaultDevice() {
  QuietCdioLog();
  char *device = cdio_get_default_device(nullptr);
  if (device == nullptr)
    return {};
  QString name = QFile::decodeName(device);
  cdio_free(device);
  return name;
}

CdDrive::CdDrive(const QString &name) {
  QuietCdioLog();
  const QString path = name.isEmpty() ? DefaultDevice() : name;
  if (path.isEmpty())
    FailToOpen();
  cdio_.reset(
      cdio_open(QFile::encodeName(path).constData(), name.isEmpty() ? DRIVER_DEVICE : DRIVER_UNKNOWN));
  if (!cdio_)
    FailToOpen();
  image_ = IsImageDriver(cdio_get_driver_id(cdio_.get()));
  if (image_)
    imagePath_ = path;

  // A drive without a disc opens but has no table of contents: no tracks, no media.
  const track_t first = cdio_get_first_track_num(cdio_.get());
  const track_t count = cdio_get_num_tracks(cdio_.get());
  if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0)
    return;
  const lsn_t leadOut = cdio_get_track_lsn(cdio_.get(), CDIO_CDROM_LEADOUT_TRACK);
  for (int number = first; number < first + count; ++number) {
    const auto track = static_cast<track_t>(number);
    CdTrack entry;
    entry.number = number;
    entry.start = cdio_get_track_lsn(cdio_.get(), track);
    entry.audio = cdio_get_track_format(cdio_.get(), track) == TRACK_FORMAT_AUDIO;
    tracks_.push_back(entry);
  }
  for (std::size_t i = 0; i < tracks_.size(); ++i)
    tracks_[i].end = i + 1 < tracks_.size() ? tracks_[i + 1].start : leadOut;
  // A table that runs backwards is damaged: trust none of it.
  for (const CdTrack &track : tracks_)
    if (track.start == CDIO_INVALID_LSN || track.end == CDIO_INVALID_LSN || track.start < 0 ||
        track.end < track.start) {
      tracks_.clear();
      return;
    }
}

CdDrive::~CdDrive() = default;

bool CdDrive::IsMediaPresent() const {
  if (!cdio_ || tracks_.empty())
    return false;
  if (image_)
    return QFile::exists(imagePath_);
  return mmc_test_unit_ready(cdio_.get(), 0) == DRIVER_OP_SUCCESS;
}

bool CdDrive::ReadAudio(std::int32_t firstSector, int count, std::span<std::int16_t> out) const {
  const std::size_t bytes = static_cast<std::size_t>(count) * kCdSectorBytes;
  if (!cdio_ || count <= 0 || out.size_bytes() < bytes)
    return false;
  if (cdio_read_audio_sectors(cdio_.get(), out.data(), firstSector, static_cast<std::uint32_t>(count)) !=
      DRIVER_OP_SUCCESS)
    return false;
  // CD-DA is little-endian whatever the machine.
  for (std::size_t i = 0; i < bytes / 2; ++i)
    out[i] = qFromLittleEndian(out[i]);
  return true;
}

} // namespace platform::audio
