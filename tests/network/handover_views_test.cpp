// The views the turn hand-over draws, read from the cell pictures' pixels: the
// opponent's view at tick 1 (the computer's turn, a network turn) and after
// the guest's fifth Marvok, the player's view when the search turn opens.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "tests/game/RuleTables.h"
#include "tests/network/MatchWorld.h"

using namespace nettest;

namespace {

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
