// The running game's cost with its music, each case in a process of its own
// that runs the program exactly as the executable does (offscreen):
//
// - resident memory (VmRSS) 5 s after the main window shows, music playing;
// - the longest time the event loop was blocked from its first turn (the
//   splash) until 1 s after the main window showed, the sound font read from
//   the disk (dropped from the page cache before each case);
// - CPU (user + system, every thread) over the next stretch, with the music
//   playing and with it stopped (the idle game), next to libfluidsynth alone
//   rendering the same song, and the ratio music / (synthesizer + idle game).
//
//   music_game_benchmark [--seconds N] [--repeat N]
//
// --seconds: the CPU stretch, 20 s by default; --repeat: runs of each case, of
// which the median is shown (1 by default).
//
// Runs as root: each case sees the sound font it measures as the system's
// General MIDI one (/usr/share/sounds/sf2/default-GM.sf2) through a private
// mount namespace. The sound device is a PulseAudio null sink the benchmark
// starts itself (package pulseaudio); without it the device cases are left out.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QToolButton>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "DenseSong.h"
#include "GameProcess.h"
#include "SynthAlone.h"
#include "app/Program.h"
#include "system/TN_FrmSystem1.h"

namespace fs = std::filesystem;

namespace {

constexpr const char *kSystemFont = "/usr/share/sounds/sf2/default-GM.sf2";
constexpr int kProbeMs = 5;
constexpr int kProbeAfterShowMs = 1000;
constexpr int kSettleAfterShowMs = 5000;
constexpr int kSynthSeconds = 60;

struct Case {
  std::string font;
  fs::path folder; // the data folder the game starts in
  bool device = false;
  bool music = true;
};

struct Result {
  long rssKb = 0;
  double stallMs = 0;
  double cpuPercent = 0;
};

// ---- inside the game's process ----

struct Measuring {
  int resultFd = -1;
  bool music = true;
  int cpuSeconds = 20;
};
Measuring *measuring = nullptr; // set in the child only, before the application exists

// Timer lateness: the longest gap between two turns of a short timer, less its interval.
class StallProbe : public QObject {
public:
  StallProbe() : QObject(qApp) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kProbeMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
      const qint64 now = clock_.nsecsElapsed();
      if (last_ >= 0)
        worst_ = std::max(worst_, now - last_);
      last_ = now;
    });
    clock_.start();
    timer_.start();
  }
  void Stop() { timer_.stop(); }
  double WorstMs() const { return std::max<qint64>(0, worst_ - kProbeMs * 1'000'000LL) / 1e6; }

private:
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 last_ = -1;
  qint64 worst_ = 0;
};
StallProbe *probe = nullptr;

void StartProbe() {
  if (measuring != nullptr)
    probe = new StallProbe;
}
Q_COREAPP_STARTUP_FUNCTION(StartProbe)

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

TN_FrmSystem1 *SystemWindow() {
  for (QWidget *widget : QApplication::topLevelWidgets())
    if (auto *window = dynamic_cast<TN_FrmSystem1 *>(widget))
      return window;
  return nullptr;
}

// Lives beside the shown main window: stops the probe, reads the memory, measures the CPU,
// hands the figures to the parent and ends the program.
std::unique_ptr<QObject> MeasureAfterShow() {
  auto companion = std::make_unique<QObject>();
  auto result = std::make_shared<Result>();
  auto cpuStart = std::make_shared<double>();
  QObject *owner = companion.get();
  if (!measuring->music)
    if (TN_FrmSystem1 *window = SystemWindow())
      window->GlyphButton(3).click(); // stop, as the user would
  QTimer::singleShot(kProbeAfterShowMs, owner, [result] {
    probe->Stop();
    result->stallMs = probe->WorstMs();
  });
  QTimer::singleShot(kSettleAfterShowMs, owner, [result, cpuStart] {
    result->rssKb = benchmarks::ResidentKb();
    *cpuStart = ProcessCpuSeconds();
  });
  QTimer::singleShot(kSettleAfterShowMs + measuring->cpuSeconds * 1000, owner, [result, cpuStart] {
    result->cpuPercent = 100.0 * (ProcessCpuSeconds() - *cpuStart) / measuring->cpuSeconds;
    const std::string line = std::to_string(result->rssKb) + " " + std::to_string(result->stallMs) + " " +
                             std::to_string(result->cpuPercent) + "\n";
    if (::write(measuring->resultFd, line.data(), line.size()) < 0)
      std::perror("write");
    QCoreApplication::exit(0);
  });
  return companion;
}

[[noreturn]] void RunGame(const Case &run, int resultFd, int cpuSeconds) {
  // The sound font under measurement stands as the system's choice, for this process only.
  if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
      ::mount(run.font.c_str(), kSystemFont, nullptr, MS_BIND, nullptr) != 0) {
    std::perror("private sound font (run as root)");
    _exit(2);
  }
  fs::current_path(run.folder);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ::setenv("QT_LOGGING_RULES", "qt.multimedia*=false", 1);
  if (!run.device)
    ::setenv("PULSE_SERVER", "unix:/nonexistent/no-sound-server", 1);
  static Measuring state{resultFd, run.music, cpuSeconds};
  measuring = &state;
  char name[] = "MarvokZT";
  char *argv[] = {name, nullptr};
  app::Run(1, argv, [](auto &, auto &) { return MeasureAfterShow(); });
  _exit(0);
}

// ---- the parent ----

// Drops the sound font from the page cache, so that the game reads it from the disk as on its
// first start after boot.
void Evict(const std::string &file) {
  const int fd = ::open(file.c_str(), O_RDONLY);
  if (fd < 0)
    return;
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  ::close(fd);
}

std::optional<Result> Measure(const Case &run, int cpuSeconds) {
  Evict(run.font);
  int pipeFds[2];
  if (::pipe(pipeFds) != 0)
    return std::nullopt;
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    // A fresh process image, so that its memory is counted as the executable's would be.
    ::close(pipeFds[0]);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    const std::string fd = std::to_string(pipeFds[1]), seconds = std::to_string(cpuSeconds);
    const std::string folder = run.folder.string();
    ::execl("/proc/self/exe", "music_game_benchmark", "--game", fd.c_str(), run.font.c_str(), folder.c_str(),
            run.device ? "device" : "silent", run.music ? "music" : "idle", seconds.c_str(),
            static_cast<char *>(nullptr));
    _exit(127);
  }
  ::close(pipeFds[1]);
  std::string text;
  char buffer[256];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
    text.append(buffer, static_cast<std::size_t>(n));
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  Result result;
  if (std::sscanf(text.c_str(), "%ld %lf %lf", &result.rssKb, &result.stallMs, &result.cpuPercent) != 3)
    return std::nullopt;
  return result;
}

// A data folder like the game's, with `song` as its music.
fs::path DataFolder(const fs::path &root, const std::string &name, const fs::path &song) {
  const fs::path folder = benchmarks::LinkedGameFolder(root, name, {"Marvok01.mid"});
  fs::copy_file(song, folder / "Marvok01.mid");
  return folder;
}

// A PulseAudio server with one null sink, on a socket of its own.
class NullSinkServer {
public:
  explicit NullSinkServer(const fs::path &dir) : socket_(dir / "pulse.socket") {
    pid_ = ::fork();
    if (pid_ == 0) {
      // State of its own, so that a sound server the user runs doesn't keep it from starting.
      ::setenv("PULSE_RUNTIME_PATH", (dir / "pulse-runtime").c_str(), 1);
      ::setenv("PULSE_STATE_PATH", (dir / "pulse-state").c_str(), 1);
      const int null = ::open("/dev/null", O_WRONLY);
      ::dup2(null, 1);
      ::dup2(null, 2);
      const std::string native = "module-native-protocol-unix auth-anonymous=1 socket=" + socket_.string();
      ::execlp("pulseaudio", "pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "-L",
               "module-null-sink", "-L", native.c_str(), static_cast<char *>(nullptr));
      _exit(127);
    }
    for (int i = 0; i < 100 && !fs::exists(socket_); ++i)
      ::usleep(50'000);
  }
  ~NullSinkServer() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  bool Running() const { return pid_ > 0 && fs::exists(socket_); }
  std::string Address() const { return "unix:" + socket_.string(); }

private:
  fs::path socket_;
  pid_t pid_ = -1;
};

std::string FontName(const std::string &path) { return fs::path(path).stem().string(); }

} // namespace

// The median run of a case, by each figure on its own; none when any run failed.
std::optional<Result> MeasureMedian(const Case &run, int cpuSeconds, int repeat) {
  std::vector<Result> runs;
  for (int i = 0; i < repeat; ++i) {
    const auto result = Measure(run, cpuSeconds);
    if (!result)
      return std::nullopt;
    runs.push_back(*result);
  }
  auto median = [&runs](auto field) {
    std::vector<std::remove_cvref_t<decltype(Result{}.*field)>> values;
    for (const Result &result : runs)
      values.push_back(result.*field);
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  };
  return Result{median(&Result::rssKb), median(&Result::stallMs), median(&Result::cpuPercent)};
}

int main(int argc, char **argv) {
  if (argc == 8 && std::strcmp(argv[1], "--game") == 0) {
    const Case run{argv[3], argv[4], std::strcmp(argv[5], "device") == 0, std::strcmp(argv[6], "music") == 0};
    RunGame(run, std::atoi(argv[2]), std::atoi(argv[7]));
  }
  int cpuSeconds = 20;
  int repeat = 1;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--seconds") == 0)
      cpuSeconds = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--repeat") == 0)
      repeat = std::max(1, std::atoi(argv[i + 1]));
  }
  if (::geteuid() != 0) {
    std::fprintf(stderr, "music_game_benchmark runs as root (a private mount namespace per case)\n");
    return 1;
  }

  char pattern[] = "/tmp/music_game_benchmark.XXXXXX";
  const fs::path root = ::mkdtemp(pattern);
  const fs::path denseFile = root / "dense.mid";
  {
    const auto bytes = musicbench::DenseSong();
    std::ofstream(denseFile, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  struct Song {
    const char *name;
    fs::path file;
    fs::path folder;
  };
  const fs::path tune = fs::path(MARVOK_GAME_DIR) / "Marvok01.mid";
  const std::vector<Song> songs{{"game tune", tune, DataFolder(root, "tune", tune)},
                                {"dense song", denseFile, DataFolder(root, "dense", denseFile)}};

  std::vector<std::string> fonts{"/usr/share/sounds/sf2/TimGM6mb.sf2"};
  if (fs::exists("/usr/share/sounds/sf2/FluidR3_GM.sf2"))
    fonts.push_back("/usr/share/sounds/sf2/FluidR3_GM.sf2");
  else
    std::printf("FluidR3_GM.sf2 is not installed (apt-get install fluid-soundfont-gm): TimGM6mb only\n");

  std::optional<NullSinkServer> server;
  if (std::system("command -v pulseaudio >/dev/null") == 0)
    server.emplace(root);
  const bool haveDevice = server && server->Running();
  if (haveDevice)
    ::setenv("PULSE_SERVER", server->Address().c_str(), 1);
  else
    std::printf("no PulseAudio (apt-get install pulseaudio): measured without a sound device only\n");
  std::vector<bool> outputs{false};
  if (haveDevice)
    outputs.push_back(true);
  auto outputName = [](bool device) { return device ? "null sink" : "silent clock"; };

  std::vector<std::vector<std::optional<Result>>> music(fonts.size()); // [font][song * outputs + output]
  for (std::size_t f = 0; f < fonts.size(); ++f)
    for (std::size_t s = 0; s < songs.size(); ++s)
      for (bool device : outputs)
        music[f].push_back(MeasureMedian({fonts[f], songs[s].folder, device, true}, cpuSeconds, repeat));
  std::printf("\nStart-up and memory, the game's tune playing\n");
  std::printf("%-12s %-13s %24s %25s\n", "sound font", "output", "resident 5 s after show",
              "longest event-loop stall");
  for (std::size_t f = 0; f < fonts.size(); ++f)
    for (std::size_t o = 0; o < outputs.size(); ++o) {
      const auto &run = music[f][o];
      if (run)
        std::printf("%-12s %-13s %21.1f MB %22.1f ms\n", FontName(fonts[f]).c_str(), outputName(outputs[o]),
                    run->rssKb / 1024.0, run->stallMs);
      else
        std::printf("%-12s %-13s %24s\n", FontName(fonts[f]).c_str(), outputName(outputs[o]), "failed");
    }

  std::vector<std::optional<Result>> idle;
  for (bool device : outputs)
    idle.push_back(MeasureMedian({fonts[0], songs[0].folder, device, false}, cpuSeconds, repeat));

  std::printf(
      "\nCPU, %% of one core over %d s, median of %d (synthesizer alone: libfluidsynth rendering %d s as "
      "fast as it can, per second of music)\n",
      cpuSeconds, repeat, kSynthSeconds);
  std::printf("%-12s %-12s %-13s %8s %8s %8s %14s %8s\n", "song", "sound font", "output", "game", "idle",
              "synth", "game/(s+idle)", "stall");
  for (std::size_t s = 0; s < songs.size(); ++s)
    for (std::size_t f = 0; f < fonts.size(); ++f) {
      const double synth =
          100.0 * musicbench::RenderDirect(fonts[f], songs[s].file.string(), kSynthSeconds) / kSynthSeconds;
      for (std::size_t o = 0; o < outputs.size(); ++o) {
        const auto &game = music[f][s * outputs.size() + o];
        const auto &quiet = idle[o];
        if (!game || !quiet) {
          std::printf("%-12s %-12s %-13s %8s\n", songs[s].name, FontName(fonts[f]).c_str(),
                      outputName(outputs[o]), "failed");
          continue;
        }
        std::printf("%-12s %-12s %-13s %7.2f%% %7.2f%% %7.2f%% %13.2fx %6.1fms\n", songs[s].name,
                    FontName(fonts[f]).c_str(), outputName(outputs[o]), game->cpuPercent, quiet->cpuPercent,
                    synth, game->cpuPercent / (synth + quiet->cpuPercent), game->stallMs);
      }
    }
  server.reset();
  fs::remove_all(root);
  return 0;
}
