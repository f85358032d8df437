// A whole match between two sides through the fake relay on the manual
// clock: connecting, both deployments, searches in turn, a pass, a win on
// each side, the rematch and the disconnect.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/network/MatchWorld.h"

using namespace nettest;

namespace {

using Texts = std::vector<std::string>;

Texts WithNul(std::initializer_list<const char *> texts) {
  Texts out;
  for (const char *text : texts)
    out.push_back(std::string(text) + '\0');
  return out;
}

std::vector<Cell> Sorted(std::vector<Cell> cells) {
  std::sort(cells.begin(), cells.end(),
            [](Cell a, Cell b) { return a.row != b.row ? a.row < b.row : a.column < b.column; });
  return cells;
}

struct FullMatchTest : ::testing::Test {
  MatchWorld world;
  MatchSide &host = world.host;
  MatchSide &guest = world.guest;
  std::vector<Cell> searchesBy[2]; // host, guest

  bool WaitFor(const std::function<bool()> &done) { return world.RunUntil(done, 15000); }
  void Deploy(MatchSide &side, const std::vector<Cell> &cells) {
    ASSERT_TRUE(WaitFor([&] { return side.st.gamePhase == 0; }));
    for (Cell cell : cells)
      world.Do([&] { side.Click(cell); });
  }
  void Search(MatchSide &side, Cell cell) {
    ASSERT_TRUE(WaitFor([&] { return side.st.gamePhase == game::SearchTurn; }));
    searchesBy[&side == &host ? 0 : 1].push_back(cell);
    world.Do([&] { side.Click(cell); });
  }
};

TEST_F(FullMatchTest, TwoGamesRematchAndDisconnect) {
  ASSERT_TRUE(world.Connect());
  EXPECT_EQ(host.ui.Caption(Label::N_LabMessage1),
            "対戦相手が見つかりました。\n自軍Marvokを配置してください。");
  EXPECT_EQ(guest.ui.Caption(Label::N_LabMessage1), "対戦相手がMarvokを配置しています・・・・。");
  EXPECT_EQ((std::vector<int>{guest.st.gamePhase, guest.st.netReceiveState, guest.st.netRoleIsClient}),
            (std::vector<int>{game::Waiting, 1, 1}));
  EXPECT_FALSE(guest.sockets.Listening()); // the guest only connects
  EXPECT_EQ(guest.sockets.calls.back(), "client-active:1");
  for (MatchSide *side : {&host, &guest}) {
    EXPECT_FALSE(side->ui.Enabled(MenuItem::N_MenNew1));
    EXPECT_FALSE(side->dialog.connectMode);
    EXPECT_EQ(side->st.turnCountdown, 100);
  }

  // Game 1. The host deploys first; only the guest records its texts.
  const std::vector<Cell> hostCells{{2, 3}, {5, 5}, {9, 10}, {10, 2}, {1, 7}};
  const std::vector<Cell> guestCells{{3, 3}, {4, 8}, {7, 1}, {8, 8}, {10, 5}};
  host.ui.packets.clear();
  Deploy(host, hostCells);
  EXPECT_EQ(host.ui.packets, WithNul({"3", "2", "5", "5", "10", "9", "2", "10", "7", "1"}));
  Deploy(guest, guestCells);
  EXPECT_EQ(guest.LivePieces(guest.st.opponentBoard), Sorted(hostCells));
  EXPECT_EQ(guest.ui.packets.front(), std::string("Condition") + '\0');
  EXPECT_EQ(guest.ui.packets.size(), 11u);
  ASSERT_TRUE(WaitFor([&] { return host.st.gamePhase == game::SearchTurn; }));
  EXPECT_EQ(host.ui.Caption(Label::N_LabMessage1), "ゲーム開始。");
  EXPECT_EQ(host.LivePieces(host.st.opponentBoard), Sorted(guestCells));
  EXPECT_EQ(guest.LivePieces(guest.st.opponentBoard), Sorted(hostCells)); // its echo was ignored

  const std::vector<Cell> guestMisses{{6, 2}, {4, 4}, {8, 5}, {3, 9}};
  Search(host, guestCells[0]);
  ASSERT_TRUE(WaitFor([&] { return guest.st.gamePhase == game::SearchTurn; }));
  EXPECT_EQ(guest.ui.timerStarts[Timer::N_TimTurn2], 1); // the guest's first turn
  EXPECT_EQ(guest.ui.Caption(Label::N_LabMessage1), "検索ポイントを指定してください！");
  for (int i = 1; i < 5; ++i) {
    Search(guest, guestMisses[static_cast<std::size_t>(i - 1)]);
    Search(host, guestCells[static_cast<std::size_t>(i)]);
  }
  guest.ui.answers = {platform::IDYES};
  ASSERT_TRUE(WaitFor(
      [&] { return host.st.netReceiveState == 0 && host.st.gamePhase == 0 && host.st.gameOver == 0; }));
  EXPECT_EQ(guest.ui.questions.size(), 1u);
  EXPECT_TRUE(host.ui.questions.empty());
  EXPECT_EQ(host.ui.Caption(Label::N_LabScore1), "1");
  EXPECT_EQ(guest.ui.Caption(Label::N_LabScore9), "1");
  EXPECT_EQ(guest.ui.timerStarts[Timer::N_TimTurn2], 1);
  EXPECT_EQ(host.ui.Caption(Label::N_LabMessage1), "再戦します。\n自軍Marvokを配置してください。");
  ASSERT_TRUE(WaitFor([&] { return guest.st.netReceiveState == 1; }));
  EXPECT_EQ(guest.ui.Caption(Label::N_LabMessage1), "対戦相手がMarvokを配置しています・・・・。");
  EXPECT_EQ(guest.st.opponentBoard, game::Board{});

  // Game 2: the host deploys first again, lets its first turn run out, and
  // this time the guest wins.
  Deploy(host, guestCells);
  Deploy(guest, hostCells);
  ASSERT_TRUE(WaitFor([&] { return host.st.gamePhase == game::SearchTurn; }));
  host.ui.packets.clear();
  const std::size_t guestApplied = guest.applied.size();
  ASSERT_TRUE(WaitFor([&] { return guest.st.gamePhase == game::SearchTurn; }));
  EXPECT_EQ(host.ui.packets, WithNul({"Condit11", "0", "0"}));
  EXPECT_EQ(guest.applied.size(), guestApplied); // the pass searched nothing
  EXPECT_EQ(guest.ui.timerStarts[Timer::N_TimTurn2], 2);
  for (int i = 0; i < 5; ++i) {
    Search(guest, guestCells[static_cast<std::size_t>(i)]);
    if (i < 4)
      Search(host, guestMisses[static_cast<std::size_t>(i)]);
  }
  host.ui.answers = {platform::IDNO};
  ASSERT_TRUE(WaitFor([&] { return host.ui.questions.size() == 1; }));
  world.clock.Advance(5000);
  EXPECT_EQ(host.st.gameOver, 1);
  EXPECT_EQ(guest.st.gameOver, 1);
  for (MatchSide *side : {&host, &guest}) {
    EXPECT_EQ(side->ui.Caption(Label::N_LabScore1), "1");
    EXPECT_EQ(side->ui.Caption(Label::N_LabScore9), "1");
  }
  // Every search was resolved once, on the other side, in order.
  EXPECT_EQ(host.applied, searchesBy[1]);
  EXPECT_EQ(guest.applied, searchesBy[0]);

  // The guest disconnects: both sides end the match, the game left as it was.
  const game::Board hostBoard = host.st.ownBoard;
  world.Do([&] { guest.match.N_ButAccess1Click(); });
  EXPECT_FALSE(guest.dialog.connectMode); // until the echo comes back
  ASSERT_TRUE(WaitFor([&] { return host.st.netGameActive == 0 && guest.st.netGameActive == 0; }));
  for (MatchSide *side : {&host, &guest}) {
    EXPECT_EQ(side->ui.Caption(Label::N_LabMessage1), "切断されました。");
    EXPECT_TRUE(side->dialog.connectMode);
    EXPECT_TRUE(side->ui.Enabled(MenuItem::N_MenNew1));
    EXPECT_FALSE(side->sockets.ClientActive());
  }
  EXPECT_FALSE(host.sockets.Listening());
  EXPECT_EQ(host.st.ownBoard, hostBoard);
}

} // namespace
