#include "CdPlayer.h"

#include "platform/core/Exception.h"

#include <QLoggingCategory>

#include <algorithm>

namespace platform::audio {

namespace {

Q_LOGGING_CATEGORY(lcCdPlay, "marvok.audio.cd", QtInfoMsg)

constexpr const char *kNoDevice = "MCI デバイスがありません";
// Sectors read at a time: a third of a second, so a drive is asked a few times a second.
constexpr int kReadSectors = 25;
// Previous pressed within this much of a track's start goes to the track before, so that a
// double press works while the music plays on.
constexpr std::int32_t kAtStartSectors = kCdFramesPerSecond;

constexpr std::int64_t FrameOf(std::int32_t sector) {
  return static_cast<std::int64_t>(sector) * kCdFramesPerSector;
}

} // namespace

CdPlayer::CdPlayer(AudioOutput &output, QObject *parent)
    : QObject(parent), output_(&output),
      buffer_(static_cast<std::size_t>(kReadSectors) * kCdFramesPerSector * kChannels) {}

CdPlayer::~CdPlayer() { Close(); }

void CdPlayer::Open() {
  Close();
  drive_ = std::make_unique<CdDrive>(deviceName_);
  bufferSectors_ = 0;
  atEnd_ = false;
  const CdTrack *first = FirstAudioTrack();
  cursor_ = first != nullptr ? FrameOf(first->start) : 0;
  mode_ = MediaMode::Open;
}

void CdPlayer::Close() {
  if (!IsOpen())
    return;
  if (output_)
    output_->Detach(*this);
  drive_.reset();
  mode_ = MediaMode::NotReady;
}

bool CdPlayer::IsMediaPresent() const { return drive_ && drive_->IsMediaPresent(); }

int CdPlayer::TrackCount() const { return drive_ ? static_cast<int>(drive_->Tracks().size()) : 0; }

bool CdPlayer::IsAudioTrack(int track) const {
  if (!drive_)
    return false;
  const auto &tracks = drive_->Tracks();
  return std::any_of(tracks.begin(), tracks.end(),
                     [track](const CdTrack &entry) { return entry.number == track && entry.audio; });
}

int CdPlayer::TrackLengthSectors(int track) const {
  if (!drive_)
    return 0;
  for (const CdTrack &entry : drive_->Tracks())
    if (entry.number == track)
      return entry.end - entry.start;
  return 0;
}

CdPosition CdPlayer::Position() const {
  if (!drive_ || drive_->Tracks().empty())
    return {};
  const auto sector = static_cast<std::int32_t>(cursor_ / kCdFramesPerSector);
  const CdTrack *track = TrackAt(sector);
  std::int32_t offset = 0;
  if (track != nullptr) {
    offset = sector - track->start;
  } else if (sector >= drive_->Tracks().back().start) {
    track = &drive_->Tracks().back(); // played to the end: the end of the last track
    offset = track->end - track->start;
  } else {
    track = &drive_->Tracks().front();
  }
  return {track->number, offset / (kCdFramesPerSecond * 60), offset / kCdFramesPerSecond % 60,
          offset % kCdFramesPerSecond};
}

void CdPlayer::Play() {
  RequireOpen();
  if (!IsMediaPresent())
    throw Exception("オーディオCDがありません");
  const CdTrack *first = FirstAudioTrack();
  if (first == nullptr)
    throw Exception("再生できるオーディオトラックがありません");
  if (mode_ == MediaMode::Playing)
    return;
  if (atEnd_)
    MoveTo(first->start);
  mode_ = MediaMode::Playing;
  if (output_)
    output_->Attach(*this);
}

void CdPlayer::Stop() {
  if (!IsOpen())
    return;
  if (output_)
    output_->Detach(*this);
  mode_ = MediaMode::Stopped;
}

void CdPlayer::Next() {
  RequireOpen();
  const CdPosition here = Position();
  if (const CdTrack *next = NextAudioTrack(here.track)) {
    MoveTo(next->start);
    return;
  }
  const auto &tracks = drive_->Tracks();
  const auto last =
      std::find_if(tracks.rbegin(), tracks.rend(), [](const CdTrack &track) { return track.audio; });
  if (last != tracks.rend())
    MoveTo(last->start);
}

void CdPlayer::Previous() {
  RequireOpen();
  const auto &tracks = drive_->Tracks();
  const CdPosition here = Position();
  const auto current = std::find_if(tracks.begin(), tracks.end(),
                                    [&](const CdTrack &track) { return track.number == here.track; });
  if (current == tracks.end())
    return;
  const std::int32_t offset = (here.minutes * 60 + here.seconds) * kCdFramesPerSecond + here.frames;
  if (current->audio && offset >= kAtStartSectors) {
    MoveTo(current->start);
    return;
  }
  const auto before = std::find_if(std::make_reverse_iterator(current), tracks.rend(),
                                   [](const CdTrack &track) { return track.audio; });
  if (before != tracks.rend())
    MoveTo(before->start);
  else if (current->audio)
    MoveTo(current->start);
}

const CdTrack *CdPlayer::TrackAt(std::int32_t sector) const {
  for (const CdTrack &track : drive_->Tracks())
    if (sector >= track.start && sector < track.end)
      return &track;
  return nullptr;
}

const CdTrack *CdPlayer::FirstAudioTrack() const { return NextAudioTrack(0); }

const CdTrack *CdPlayer::NextAudioTrack(int after) const {
  for (const CdTrack &track : drive_->Tracks())
    if (track.number > after && track.audio)
      return &track;
  return nullptr;
}

void CdPlayer::MoveTo(std::int32_t sector) {
  cursor_ = FrameOf(sector);
  atEnd_ = false;
}

void CdPlayer::RequireOpen() const {
  if (!IsOpen())
    throw Exception(kNoDevice);
}

std::size_t CdPlayer::Render(std::span<std::int16_t> out) {
  const std::size_t frames = out.size() / kChannels;
  std::size_t produced = 0;
  while (produced < frames) {
    const auto sector = static_cast<std::int32_t>(cursor_ / kCdFramesPerSector);
    const CdTrack *track = TrackAt(sector);
    if (track == nullptr || !track->audio) {
      // Between or past the tracks, or on a data track: on to the next audio track, if any.
      const CdTrack *next = track != nullptr                          ? NextAudioTrack(track->number)
                            : sector < drive_->Tracks().front().start ? FirstAudioTrack()
                                                                      : nullptr;
      if (next != nullptr) {
        cursor_ = FrameOf(next->start);
        continue;
      }
      atEnd_ = true;
      mode_ = MediaMode::Stopped;
      if (output_)
        output_->Detach(*this);
      QMetaObject::invokeMethod(this, &CdPlayer::Ended, Qt::QueuedConnection);
      break;
    }
    if (bufferSectors_ == 0 || sector < bufferStart_ || sector >= bufferStart_ + bufferSectors_) {
      const int count = std::min<std::int32_t>(kReadSectors, track->end - sector);
      std::fill(buffer_.begin(), buffer_.end(), std::int16_t{0});
      // An unreadable stretch plays as silence rather than stopping the disc.
      if (!drive_->ReadAudio(sector, count, buffer_))
        qCDebug(lcCdPlay) << "unreadable audio sectors from" << sector;
      bufferStart_ = sector;
      bufferSectors_ = count;
    }
    const std::int64_t bufferEnd = FrameOf(bufferStart_ + bufferSectors_);
    const auto take = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(frames - produced), bufferEnd - cursor_));
    const auto from = static_cast<std::size_t>(cursor_ - FrameOf(bufferStart_)) * kChannels;
    std::copy_n(buffer_.begin() + static_cast<std::ptrdiff_t>(from), take * kChannels,
                out.begin() + static_cast<std::ptrdiff_t>(produced * kChannels));
    cursor_ += static_cast<std::int64_t>(take);
    produced += take;
  }
  return produced;
}

} // namespace platform::audio
