#include "MidiPlayer.h"

#include "SmfCheck.h"
#include "platform/core/Exception.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <fluidsynth.h>

#include <mutex>

namespace platform::audio {

namespace {

Q_LOGGING_CATEGORY(lcFluid, "marvok.audio.midi", QtInfoMsg)

constexpr const char *kNoDevice = "MCI デバイスがありません";
// A MIDI file bigger than this is not music for this game: refuse it rather than load it all.
constexpr qint64 kMaxSongBytes = 16 * 1024 * 1024;
// After the end, the last notes ring out at most this long before the synthesizer is left idle.
constexpr std::size_t kMaxTailFrames = 3 * kSampleRate;
constexpr int kMidiChannels = 16;
constexpr int kResetAllControllers = 121;

// The synthesizer's own messages go to our log category instead of stderr.
void QuietFluidLog() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
      fluid_set_log_function(
          level, [](int, const char *message, void *) { qCDebug(lcFluid) << message; }, nullptr);
  });
}

std::string Utf8(const QString &text) { return text.toStdString(); }

template <auto Delete> struct FluidDeleter {
  template <typename T> void operator()(T *handle) const { Delete(handle); }
};

} // namespace

struct MidiPlayer::Fluid {
  // Declared in the order they are built, so they are torn down player first.
  std::unique_ptr<fluid_settings_t, FluidDeleter<delete_fluid_settings>> settings;
  std::unique_ptr<fluid_synth_t, FluidDeleter<delete_fluid_synth>> synth;
  std::unique_ptr<fluid_player_t, FluidDeleter<delete_fluid_player>> player;
};

QString MidiPlayer::SystemSoundFont() {
  const QString chosen = "/usr/share/sounds/sf2/default-GM.sf2";
  return QFileInfo::exists(chosen) ? chosen : QString(kDefaultSoundFont);
}

MidiPlayer::MidiPlayer(AudioOutput &output, QString soundFont, QObject *parent)
    : QObject(parent), output_(&output), soundFont_(std::move(soundFont)) {}

MidiPlayer::~MidiPlayer() { DetachFromOutput(); }

void MidiPlayer::Open() {
  Close();
  const QFileInfo info(fileName_);
  if (!info.isFile())
    throw Exception("MIDI ファイルが見つかりません: " + Utf8(fileName_));
  if (fluid_is_midifile(QFile::encodeName(fileName_).constData()) == 0)
    throw Exception("MIDI ファイルではありません: " + Utf8(fileName_));
  QFile file(fileName_);
  if (info.size() > kMaxSongBytes || !file.open(QIODevice::ReadOnly))
    throw Exception("MIDI ファイルを読み込めません: " + Utf8(fileName_));
  const QByteArray bytes = file.readAll();
  const auto *first = reinterpret_cast<const std::byte *>(bytes.constData());
  std::vector<std::byte> song(first, first + bytes.size());
  if (!IsWellFormedSmf(song))
    throw Exception("MIDI ファイルが壊れています: " + Utf8(fileName_));
  EnsureSynth();

  song_ = std::move(song);
  atEnd_ = false;
  mode_ = MediaMode::Open;
}

void MidiPlayer::Close() {
  if (!IsOpen())
    return;
  DetachFromOutput();
  fluid_->player.reset();
  // The next file starts from a clean synthesizer: no programs or controllers left over.
  fluid_synth_system_reset(fluid_->synth.get());
  song_.clear();
  atEnd_ = false;
  mode_ = MediaMode::NotReady;
}

void MidiPlayer::Play() {
  if (!IsOpen())
    throw Exception(kNoDevice);
  if (mode_ == MediaMode::Playing)
    return;
  if (atEnd_ || !fluid_->player)
    StartFromBeginning();
  mode_ = MediaMode::Playing;
  if (output_)
    output_->Attach(*this);
}

void MidiPlayer::Pause() {
  if (!IsOpen())
    throw Exception(kNoDevice);
  // Not rendering freezes the song's clock and its sounding notes alike; Play thaws both.
  DetachFromOutput();
  mode_ = MediaMode::Paused;
}

void MidiPlayer::Stop() {
  if (!IsOpen())
    return;
  DetachFromOutput();
  Silence();
  mode_ = MediaMode::Stopped;
}

int MidiPlayer::CurrentTick() const {
  return fluid_ && fluid_->player ? fluid_player_get_current_tick(fluid_->player.get()) : 0;
}

int MidiPlayer::SongTicks() {
  // The synthesizer walks every event of every track to answer, so the answer is kept; it stays
  // 0 until the player has read the song at its first rendering.
  if (songTicks_ == 0)
    songTicks_ = fluid_player_get_total_ticks(fluid_->player.get());
  return songTicks_;
}

void MidiPlayer::EnsureSynth() {
  if (fluid_)
    return;
  QuietFluidLog();
  const QByteArray fontPath = QFile::encodeName(soundFont_);
  if (!QFileInfo(soundFont_).isFile() || fluid_is_soundfont(fontPath.constData()) == 0)
    throw Exception("音色ファイル (SoundFont) が見つかりません: " + Utf8(soundFont_));

  auto fluid = std::make_unique<Fluid>();
  fluid->settings.reset(new_fluid_settings());
  if (!fluid->settings)
    throw Exception("MIDI シーケンサを準備できません");
  // No audio driver: the player's clock is the samples we render, driven by the output's pull.
  fluid_settings_setstr(fluid->settings.get(), "player.timing-source", "sample");
  fluid_settings_setnum(fluid->settings.get(), "synth.sample-rate", kSampleRate);
  // Only the instruments in use hold their samples: a General MIDI font may be 150 MB.
  fluid_settings_setint(fluid->settings.get(), "synth.dynamic-sample-loading", 1);
  fluid->synth.reset(new_fluid_synth(fluid->settings.get()));
  if (!fluid->synth)
    throw Exception("MIDI シーケンサを準備できません");
  if (fluid_synth_sfload(fluid->synth.get(), fontPath.constData(), 1) == FLUID_FAILED)
    throw Exception("音色ファイル (SoundFont) を読み込めません: " + Utf8(soundFont_));
  fluid_ = std::move(fluid);
}

void MidiPlayer::StartFromBeginning() {
  fluid_synth_t *synth = fluid_->synth.get();
  // Notes of the last round may ring on; controllers it left bent start fresh.
  fluid_synth_all_notes_off(synth, -1);
  for (int channel = 0; channel < kMidiChannels; ++channel)
    fluid_synth_cc(synth, channel, kResetAllControllers, 0);

  fluid_->player.reset(new_fluid_player(synth));
  if (!fluid_->player || fluid_player_add_mem(fluid_->player.get(), song_.data(), song_.size()) != FLUID_OK ||
      fluid_player_play(fluid_->player.get()) != FLUID_OK) {
    fluid_->player.reset();
    throw Exception("MIDI ファイルを再生できません: " + Utf8(fileName_));
  }
  atEnd_ = false;
  tailFrames_ = 0;
  songTicks_ = 0;
}

void MidiPlayer::Silence() {
  if (fluid_)
    fluid_synth_all_sounds_off(fluid_->synth.get(), -1);
}

void MidiPlayer::DetachFromOutput() {
  if (output_)
    output_->Detach(*this);
}

std::size_t MidiPlayer::Render(std::span<std::int16_t> out) {
  const std::size_t frames = out.size() / kChannels;
  if (!fluid_ || frames == 0)
    return 0;
  fluid_synth_write_s16(fluid_->synth.get(), static_cast<int>(frames), out.data(), 0, kChannels, out.data(),
                        1, kChannels);

  if (!atEnd_ && fluid_->player) {
    fluid_player_t *player = fluid_->player.get();
    // The tick test is punctual; the player's own "done" comes only after the last voices died
    // out, or at once for a file that failed to load.
    const int total = SongTicks();
    const bool ended = (total > 0 && fluid_player_get_current_tick(player) >= total) ||
                       fluid_player_get_status(player) == FLUID_PLAYER_DONE;
    if (ended) {
      atEnd_ = true;
      tailFrames_ = 0;
      if (mode_ == MediaMode::Playing)
        mode_ = MediaMode::Stopped;
      QMetaObject::invokeMethod(this, &MidiPlayer::Ended, Qt::QueuedConnection);
    }
    return frames;
  }
  tailFrames_ += frames;
  if (fluid_synth_get_active_voice_count(fluid_->synth.get()) == 0 || tailFrames_ >= kMaxTailFrames)
    DetachFromOutput();
  return frames;
}

} // namespace platform::audio
