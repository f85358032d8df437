// CPU time to render a minute of music through the game's own path (the MIDI
// player, the audio output's mixing, pulled the way the silent clock and the
// sound device pull it) side by side with libfluidsynth driven directly
// (fluid_synth_write_s16 under a fluid_player), same song, same sound font,
// same run. Prints the CPU per second of music and the ratio of the two.
//
//   music_render_benchmark [repetitions]
//
// Songs: the game's own tune (Marvok01.mid from the build) and a dense
// format-1 file of about 27,000 notes made up by the benchmark. Sound fonts:
// TimGM6mb and FluidR3_GM when installed (fluid-soundfont-gm).
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DenseSong.h"
#include "SynthAlone.h"
#include "platform/audio/AudioOutput.h"
#include "platform/audio/AudioPullDevice.h"
#include "platform/audio/MidiPlayer.h"

namespace {

using musicbench::kPeriodFrames;
using platform::audio::AudioOutput;
using platform::audio::MidiPlayer;

constexpr int kSeconds = 60;
// What the silent clock renders per tick and what Qt's PulseAudio sink reads per period.
constexpr std::chrono::milliseconds kPullPeriod{20};

// CPU seconds the work took on this thread.
double Timed(const std::function<void()> &work) {
  const double start = musicbench::ThreadCpuSeconds();
  work();
  return musicbench::ThreadCpuSeconds() - start;
}

// The game's path: the player on an output, its end notice restarting it as the repeat does.
double RenderOurs(const std::string &font, const QString &song, bool device) {
  AudioOutput output(AudioOutput::Kind::Manual);
  MidiPlayer player(output, QString::fromStdString(font));
  QObject::connect(&player, &MidiPlayer::Ended, [&player] { player.Play(); });
  player.SetFileName(song);
  player.Open();
  platform::audio::AudioPullDevice pull(output);
  pull.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  std::vector<char> bytes(kPeriodFrames * platform::audio::kBytesPerFrame);
  return Timed([&] {
    player.Play();
    for (auto done = std::chrono::milliseconds(0); done < std::chrono::seconds(kSeconds);
         done += kPullPeriod) {
      if (device)
        pull.read(bytes.data(), static_cast<qint64>(bytes.size()));
      else
        output.Advance(kPullPeriod);
      QCoreApplication::sendPostedEvents();
    }
  });
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Percent of one core per second of music.
double Percent(double cpuSeconds) { return 100.0 * cpuSeconds / kSeconds; }

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

  QTemporaryDir dir;
  const QString dense = dir.filePath("dense.mid");
  const auto denseBytes = musicbench::DenseSong();
  QFile file(dense);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(reinterpret_cast<const char *>(denseBytes.data()), static_cast<qint64>(denseBytes.size())) !=
          static_cast<qint64>(denseBytes.size()))
    return std::fprintf(stderr, "cannot write %s\n", qPrintable(dense)), 1;
  file.close();

  struct Song {
    const char *name;
    QString path;
  };
  const std::vector<Song> songs{{"game tune", QStringLiteral(MARVOK_GAME_DIR "/Marvok01.mid")},
                                {"dense song", dense}};
  std::vector<std::string> fonts{"/usr/share/sounds/sf2/TimGM6mb.sf2"};
  const std::string fluidR3 = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
  if (QFile::exists(QString::fromStdString(fluidR3)))
    fonts.push_back(fluidR3);
  else
    std::printf("FluidR3_GM.sf2 is not installed (apt-get install fluid-soundfont-gm): measured with "
                "TimGM6mb only\n");

  std::printf("CPU per second of music, %d s rendered, median of %d (%% of one core)\n", kSeconds,
              repetitions);
  std::printf("%-12s %-16s %10s %12s %12s %10s %10s\n", "song", "sound font", "fluidsynth", "ours silent",
              "ours device", "silent x", "device x");
  for (const Song &song : songs) {
    for (const std::string &font : fonts) {
      std::vector<double> direct, silent, device;
      for (int i = 0; i < repetitions; ++i) {
        direct.push_back(musicbench::RenderDirect(font, song.path.toStdString(), kSeconds));
        silent.push_back(RenderOurs(font, song.path, false));
        device.push_back(RenderOurs(font, song.path, true));
      }
      const double base = Median(direct);
      const std::string fontName = font.substr(font.rfind('/') + 1);
      std::printf("%-12s %-16s %9.2f%% %11.2f%% %11.2f%% %9.2fx %9.2fx\n", song.name, fontName.c_str(),
                  Percent(base), Percent(Median(silent)), Percent(Median(device)), Median(silent) / base,
                  Median(device) / base);
    }
  }
  return 0;
}
