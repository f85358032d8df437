// The hosting program's resident memory around a guest that floods the relay
// and never reads: idle before the burst, at the peak while the guest's queue
// is held, and after the host has cut the guest and freed its queue. The
// program runs here exactly as the executable does (offscreen, silent) and
// hosts a match on 127.0.0.1 through its network dialog; each guest is a child
// process, so its own memory is not counted.
//
//   relay_memory_benchmark [MiB ...]     (default: 12 36 60, one guest each)
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>

#include <arpa/inet.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "GameProcess.h"
#include "app/Program.h"
#include "app/TN_FrmMain1.h"
#include "network/TN_FrmSub2.h"
#include "platform/core/MessageBox.h"
#include "tests/support/FreePort.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPacket = 1 << 20; // the largest legal packet, header included
constexpr int kTickMs = 10;
constexpr qint64 kSettleMs = 2000; // after each connect, before the idle figure
constexpr qint64 kFreedMs = 1000;  // after the cut: the connection is freed from the event loop
constexpr qint64 kLaterMs = 5000;

double ResidentMiB() { return static_cast<double>(benchmarks::ResidentKb()) / 1024; }

// A child that connects with a tiny receive buffer, sends `packets` packets
// of 1 MiB and then waits, reading nothing, until it is killed. The packet is
// made before the fork: the child only makes system calls.
pid_t StartGuest(int port, int packets, const std::string &packet) {
  const pid_t pid = ::fork();
  if (pid != 0)
    return pid;
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  const int small = 4096;
  ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
    ::_exit(1);
  for (int i = 0; i < packets; ++i)
    for (std::size_t at = 0; at < packet.size();) {
      const ssize_t sent = ::send(fd, packet.data() + at, packet.size() - at, MSG_NOSIGNAL);
      if (sent <= 0)
        ::_exit(0); // cut already
      at += static_cast<std::size_t>(sent);
    }
  for (;;)
    ::pause();
}

// Beside the shown main window: hosts, lets one guest flood per size, prints
// a line per guest and closes the program.
class Measure : public QObject {
public:
  Measure(TN_FrmMain1 &window, TN_FrmSub2 &dialog, std::vector<int> sizes)
      : window_(window), dialog_(dialog), sizes_(std::move(sizes)), packet_(kPacket, 'x') {
    for (int i = 0; i < 4; ++i)
      packet_[static_cast<std::size_t>(i)] =
          static_cast<char>(static_cast<unsigned>(kPacket) >> (8 * i) & 0xFF);
    std::printf("%-8s %10s %10s %10s %14s %12s\n", "flood", "idle", "peak", "cut after", "freed (+1 s)",
                "+5 s");
    connect(&tick_, &QTimer::timeout, this, [this] { Tick(); });
    tick_.start(kTickMs);
  }
  ~Measure() override { StopGuest(); }

private:
  enum class Step { Connect, Settle, Flood, Freed, Later };

  void Tick() {
    const game::GameState &st = window_.State();
    const qint64 now = clock_.isValid() ? clock_.elapsed() : 0;
    switch (step_) {
    case Step::Connect:
      if (!dialog_.InConnectMode())
        return;
      dialog_.N_EdiNet1->setText("127.0.0.1");
      dialog_.N_EdiNet2->setText(QString::number(port_));
      dialog_.N_CheAccess1->setChecked(true);
      dialog_.N_ButAccess1Click();
      Next(Step::Settle);
      return;
    case Step::Settle:
      if (st.netGameActive != 1 || st.gamePhase != game::Waiting || now < kSettleMs)
        return;
      idle_ = peak_ = ResidentMiB();
      guest_ = StartGuest(port_, sizes_.front(), packet_);
      Next(Step::Flood);
      return;
    case Step::Flood:
      peak_ = std::max(peak_, ResidentMiB());
      if (st.netGameActive == 1)
        return;
      cutAfter_ = static_cast<double>(now) / 1000;
      Next(Step::Freed);
      return;
    case Step::Freed:
      if (now < kFreedMs)
        return;
      freed_ = ResidentMiB();
      Next(Step::Later);
      return;
    case Step::Later:
      if (now < kLaterMs)
        return;
      std::printf("%3d MiB  %6.1f MiB %6.1f MiB %8.1f s %10.1f MiB %8.1f MiB\n", sizes_.front(), idle_, peak_,
                  cutAfter_, freed_, ResidentMiB());
      std::fflush(stdout);
      StopGuest();
      sizes_.erase(sizes_.begin());
      if (sizes_.empty()) {
        tick_.stop();
        window_.close();
        return;
      }
      Next(Step::Connect);
      return;
    }
  }

  void Next(Step step) {
    step_ = step;
    clock_.start();
  }

  void StopGuest() {
    if (guest_ <= 0)
      return;
    ::kill(guest_, SIGKILL);
    ::waitpid(guest_, nullptr, 0);
    guest_ = 0;
  }

  TN_FrmMain1 &window_;
  TN_FrmSub2 &dialog_;
  std::vector<int> sizes_;
  std::string packet_;
  const int port_ = testsupport::FreePort();
  QTimer tick_;
  QElapsedTimer clock_;
  Step step_ = Step::Connect;
  pid_t guest_ = 0;
  double idle_ = 0, peak_ = 0, cutAfter_ = 0, freed_ = 0;
};

} // namespace

int main(int argc, char **argv) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i)
    sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty())
    sizes = {12, 36, 60};
  const fs::path folder = benchmarks::LinkedGameFolder(
      fs::temp_directory_path(), "relay_memory_benchmark." + std::to_string(::getpid()));
  fs::current_path(folder);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ::setenv("PULSE_SERVER", "unix:/nonexistent/no-sound-server", 1);
  // The quit question is answered; anything else is printed.
  platform::SetMessageBoxResponder([](const platform::MessageBoxRequest &request) {
    if (request.text != "終了してよろしいですか？")
      std::fprintf(stderr, "box: %s\n", request.text.c_str());
    return static_cast<int>(platform::IDYES);
  });
  char name[] = "MarvokZT";
  char *programArgv[] = {name, nullptr};
  const int code = app::Run(1, programArgv, [&sizes](TN_FrmMain1 &window, TN_FrmSub2 &dialog) {
    return std::make_unique<Measure>(window, dialog, sizes);
  });
  fs::remove_all(folder);
  return code;
}
