#include "tests/network/TestAutoPlay.h"

#include <QCheckBox>
#include <QLineEdit>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "game/Board.h"
#include "platform/core/EventGuard.h"

namespace network {

namespace {

constexpr int kPollMs = 50;
constexpr qint64 kDeadlineMs = 200'000; // within the test's wait, so the copy reports itself
constexpr qint64 kRetryMs = 500;

struct Cell {
  int row, column;
};
constexpr std::array<Cell, 5> kHostDeployment{{{2, 3}, {5, 5}, {9, 10}, {10, 2}, {1, 7}}};
constexpr std::array<Cell, 5> kGuestDeployment{{{3, 3}, {4, 8}, {7, 1}, {8, 8}, {10, 5}}};

} // namespace

std::unique_ptr<TestAutoPlay> TestAutoPlay::FromScript(const std::string &text, game::GameState &state,
                                                       game::MarvokGame &game, TN_FrmSub2 &dialog,
                                                       std::function<void()> quit) {
  const auto colon = text.find(':');
  const std::string role = text.substr(0, colon);
  const int port = colon == std::string::npos ? 0 : std::atoi(text.c_str() + colon + 1);
  if ((role != "host" && role != "guest") || port <= 0 || port > 65535) {
    std::fprintf(stderr, "autoplay: expected host:PORT or guest:PORT\n");
    return nullptr;
  }
  return std::make_unique<TestAutoPlay>(role == "host", port, state, game, dialog, std::move(quit));
}

TestAutoPlay::TestAutoPlay(bool host, int port, game::GameState &state, game::MarvokGame &game,
                           TN_FrmSub2 &dialog, std::function<void()> quit)
    : host_(host), port_(port), st_(state), game_(game), dialog_(dialog), quit_(std::move(quit)) {
  boxes_.respond = [this](const platform::MessageBoxRequest &request) -> int {
    if (request.text == "再戦しますか？")
      return GamesPlayed() < 2 ? platform::IDYES : platform::IDNO;
    if (request.text == "終了してよろしいですか？")
      return platform::IDYES;
    std::fprintf(stderr, "AUTOPLAY box: %s\n", request.text.c_str());
    return platform::IDOK;
  };
  clock_.start();
  connect(&poll_, &QTimer::timeout, this, [this] { platform::Guarded([this] { Poll(); }); });
  poll_.start(kPollMs);
}

void TestAutoPlay::Poll() {
  if (finished_)
    return;
  const qint64 now = clock_.elapsed();
  if (now > kDeadlineMs) {
    Finish("timeout");
    return;
  }
  if (host_ && st_.netGameActive == 1 && !listening_) {
    listening_ = true;
    std::printf("AUTOPLAY listening\n"); // the guest may come now
    std::fflush(stdout);
  }
  if (st_.netGameActive == 0) {
    if (matchSeen_)
      Finish("done");
    else if (dialog_.InConnectMode() && now >= nextAttempt_)
      TryConnect();
    return;
  }
  if (st_.gamePhase >= 0 && st_.gamePhase <= 4) {
    matchSeen_ = true;
    if (st_.gamePhase == 0)
      searched_.clear();
    const Cell cell = (host_ ? kHostDeployment : kGuestDeployment)[static_cast<std::size_t>(st_.gamePhase)];
    game_.CellMouseDown(game::CellNumber(cell.row, cell.column));
  } else if (st_.gamePhase == game::SearchTurn) {
    Search();
  }
  // The host ends the match a while after the second game.
  if (host_ && GamesPlayed() >= 2 && st_.gameOver == 1) {
    if (disconnectAt_ < 0)
      disconnectAt_ = now + 3000;
    else if (now >= disconnectAt_ && !dialog_.InConnectMode())
      dialog_.N_ButAccess1Click();
  }
}

void TestAutoPlay::TryConnect() {
  nextAttempt_ = clock_.elapsed() + kRetryMs;
  dialog_.N_EdiNet1->setText("127.0.0.1");
  dialog_.N_EdiNet2->setText(QString::number(port_));
  dialog_.N_CheAccess1->setChecked(host_);
  dialog_.N_ButAccess1Click();
}

void TestAutoPlay::Search() {
  // The host wins the first game, the guest the second: the winner searches
  // the Marvok it knows of, the other misses.
  const bool winner = (GamesPlayed() % 2 == 0) == host_;
  for (int row = 1; row <= 10; ++row)
    for (int column = 1; column <= 10; ++column) {
      const int k = game::CellNumber(row, column);
      const bool piece = st_.opponentBoard.At(row, column) == game::Piece;
      const bool corner = (row == 1 || row == 10) && (column == 1 || column == 10);
      if (corner || piece != winner || searched_.count(k))
        continue;
      searched_.insert(k);
      game_.CellMouseDown(k);
      return;
    }
}

void TestAutoPlay::Finish(const char *outcome) {
  finished_ = true;
  poll_.stop();
  std::printf("AUTOPLAY %s role=%s ownWins=%d opponentWins=%d\n", outcome, host_ ? "host" : "guest",
              st_.ownWins, st_.opponentWins);
  std::fflush(stdout);
  quit_();
}

} // namespace network
