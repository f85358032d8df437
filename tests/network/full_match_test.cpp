// Matches between two sides through the fake relay on the manual clock: a
// whole match (a stranger refused, connecting, both deployments, searches in
// turn, a pass, a win on each side, the rematch and the disconnect), and the
// views the turn hand-over draws, read from the cell pictures' pixels: the
// opponent's view at tick 1 (the computer's turn, a network turn) and after
// the guest's fifth Marvok, the player's view when the search turn opens.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "tests/support/RuleTables.h"
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

TEST_F(FullMatchTest, StrangerFirstThenTwoGamesRematchAndDisconnect) {
  // A stranger on the host's machine connects right after the host listens,
  // before the host's own client: it is closed at once and changes nothing.
  FakeSockets stranger(world.net, "stranger");
  host.sockets.onCall = [&](const std::string &call) {
    if (call != "server-active:1")
      return;
    stranger.SetClientHost("localhost");
    stranger.SetClientPort(9120);
    stranger.SetClientActive(true);
  };
  ASSERT_TRUE(world.Connect());
  EXPECT_TRUE(world.RunUntil([&] { return !stranger.ClientActive(); }, 100)) << "the stranger is not closed";
  EXPECT_EQ(std::count(host.ui.messages.begin(), host.ui.messages.end(),
                       "ログイン：stranger\n対戦相手を待っています・・・・・。"),
            0);
  EXPECT_EQ(host.ui.messages.end()[-3], "ログイン：localhost\n対戦相手を待っています・・・・・。");
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
  EXPECT_EQ(guest.ui.boxes.size(), 1u);
  EXPECT_TRUE(host.ui.boxes.empty());
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
  ASSERT_TRUE(WaitFor([&] { return host.ui.boxes.size() == 1; }));
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

struct HandoverViewsTest : ::testing::Test {
  MatchWorld world;

  // Runs the clock until `done`, noting the repaints and cell loads before.
  bool RunUntil(MatchSide &side, const std::function<bool()> &done) {
    refreshes = side.ui.refreshes;
    loadsFrom = side.ui.loads.size();
    return world.RunUntil(done, 10000);
  }

  // Every cell shows its tile of the view and was repainted since RunUntil;
  // over the opponent's view, the opponent's search shows its mark pictures.
  ::testing::AssertionResult ShowsView(MatchSide &side, bool opponentView, const char *when) {
    std::map<int, std::string> loaded;
    for (std::size_t i = loadsFrom; i < side.ui.loads.size(); ++i)
      loaded[static_cast<int>(side.ui.loads[i].picture)] =
          gametest::FakeMainWindow::BaseName(side.ui.loads[i].path);
    std::string wrong;
    int unpainted = 0;
    for (int r = 1; r <= 10; ++r)
      for (int c = 1; c <= 10; ++c) {
        const int k = game::CellNumber(r, c);
        const Picture picture = game::CellPicture(k);
        const auto tile = opponentView ? ruletables::OpponentViewTile(side.st.opponentMarks.At(r, c))
                                       : ruletables::PlayerViewTile(side.st.ownBoard.At(r, c),
                                                                    side.st.opponentBoard.At(r, c));
        const bool marked = opponentView && loaded.count(k);
        if (marked ? side.ui.Canvas(picture).Pixel(0, 0) != gametest::FileColour(loaded[k])
                   : side.ui.TileAt(k) != tile)
          wrong += " (" + std::to_string(r) + "," + std::to_string(c) + ")";
        unpainted += !marked && side.ui.refreshes[picture] <= refreshes[picture];
      }
    if (wrong.empty() && unpainted == 0)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << when << ": " << unpainted << " cells not repainted; not the "
                                         << (opponentView ? "opponent's" : "player's") << " view at" << wrong;
  }

  std::map<Picture, int> refreshes;
  std::size_t loadsFrom = 0;
};

// Guards the computer's turn drawing the opponent's view before its search,
// and the third tick drawing the player's view.
TEST_F(HandoverViewsTest, AgainstTheComputer) {
  MatchSide &side = world.host; // a computer game at level 1, as after start-up
  for (Cell cell : std::vector<Cell>{{2, 2}, {4, 3}, {6, 5}, {7, 9}, {9, 4}})
    world.Do([&] { side.Click(cell); });
  bool first = true; // the deployment opened the first turn without a view
  for (Cell cell : std::vector<Cell>{{5, 5}, {3, 3}, {8, 8}, {2, 8}, {6, 2}, {9, 9}}) {
    ASSERT_TRUE(RunUntil(side, [&] { return side.st.gamePhase == game::SearchTurn; }));
    EXPECT_TRUE(first || ShowsView(side, false, "search turn"));
    first = false;
    world.Do([&] { side.Click(cell); });
    ASSERT_TRUE(RunUntil(side, [&] { return side.st.turnTick == 1; }));
    ASSERT_GT(side.ui.loads.size(), loadsFrom) << "the computer searched";
    EXPECT_TRUE(ShowsView(side, true, "the computer's turn"));
  }
}

// Guards the first tick of a network turn drawing the opponent's view, the
// guest's view after its deployment, and the player's view when a turn opens.
TEST_F(HandoverViewsTest, InANetworkMatch) {
  ASSERT_TRUE(world.Connect());
  MatchSide &host = world.host, &guest = world.guest;
  for (Cell cell : std::vector<Cell>{{2, 3}, {5, 5}, {9, 10}, {10, 2}, {1, 7}})
    world.Do([&] { host.Click(cell); });
  ASSERT_TRUE(RunUntil(guest, [&] { return guest.st.gamePhase == 0; }));
  for (Cell cell : std::vector<Cell>{{3, 3}, {4, 8}, {7, 1}, {8, 8}})
    world.Do([&] { guest.Click(cell); });
  refreshes = guest.ui.refreshes, loadsFrom = guest.ui.loads.size();
  world.Do([&] { guest.Click({10, 5}); });
  EXPECT_TRUE(ShowsView(guest, true, "the guest's fifth Marvok"));

  // The host reacts, hits, reacts; the guest reacts, misses and hits.
  const std::vector<Cell> hostSearches{{4, 3}, {7, 1}, {9, 9}}, guestSearches{{6, 5}, {8, 8}, {2, 3}};
  for (std::size_t i = 0; i < 6; ++i) {
    MatchSide &side = i % 2 ? guest : host;
    ASSERT_TRUE(RunUntil(side, [&] { return side.st.gamePhase == game::SearchTurn; }));
    EXPECT_TRUE(i == 0 || ShowsView(side, false, "search turn")); // the host's first opens without one
    world.Do([&] { side.Click(i % 2 ? guestSearches[i / 2] : hostSearches[i / 2]); });
    ASSERT_TRUE(RunUntil(side, [&] { return side.st.turnTick == 1; }));
    EXPECT_TRUE(ShowsView(side, true, "first tick"));
  }
}

} // namespace
