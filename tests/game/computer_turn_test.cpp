#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/support/OpponentSideHarness.h"

using namespace game;
using namespace gametest;

namespace {

using State = std::vector<int>;

struct ComputerTurnTest : ::testing::Test {
  GameState st;
  FakeMainWindow ui;
  Random random;
  MarvokGame game{st, ui, random};
  // Far from every cell the follow-ups below search.
  const std::vector<Cell> pieces{{1, 3}, {1, 7}, {3, 9}, {9, 2}, {10, 6}};

  void SetUp() override { NewGame(&MarvokGame::N_MenLevel1Click); }
  void NewGame(void (MarvokGame::*level)()) {
    (game.*level)();
    for (std::size_t k = 1; k <= 5; ++k) {
      st.ownPiecePositions[k] = {pieces[k - 1].column, pieces[k - 1].row};
      st.ownBoard.At(pieces[k - 1].row, pieces[k - 1].column) = Piece;
    }
  }
  void Hunt(int row, int column, int step, int originRow = 0, int originColumn = 0) {
    st.computerHunting = 1, st.huntRow = row, st.huntColumn = column, st.huntStep = step;
    st.huntOriginRow = originRow, st.huntOriginColumn = originColumn;
  }
  // The cell the next computer turn searched, or (0,0) for none.
  Cell Turn() {
    const std::size_t from = ui.loads.size();
    game.ComputerTurn();
    const Cell cell = SearchedCell(ui, from).value_or(Cell{});
    EXPECT_EQ(st.selectedColumn, cell.row ? cell.column : st.selectedColumn);
    return cell;
  }
  bool Struck() {
    const Cell cell = Turn();
    return std::find(pieces.begin(), pieces.end(), cell) != pieces.end() && HuntState() == State{0, 0};
  }
  State HuntState() const { return {st.computerHunting, st.huntStep}; }
};

TEST_F(ComputerTurnTest, OpeningPickWalksUpAndPicksAgainFromAUsedLastEntry) {
  random.Seed(SeedFor({10}, 41));
  EXPECT_EQ(Turn(), (Cell{6, 5}));
  EXPECT_EQ(st.openingUsed[10], 1);
  random.Seed(SeedFor({10}, 41));
  st.openingUsed[11] = 1;
  EXPECT_EQ(Turn(), (Cell{6, 9}));
  EXPECT_EQ(st.computerPick, 12);

  // Level 1's entry 41 strikes and is never used up.
  std::fill(st.openingUsed.begin() + 1, st.openingUsed.begin() + 41, 1);
  EXPECT_TRUE(Struck());
  EXPECT_TRUE(Struck());
  EXPECT_EQ((State{st.computerPick, st.openingUsed[41]}), (State{41, 0}));

  // Level 2 with only entry 25 free: a pick of 27 walks to 29 and picks again.
  NewGame(&MarvokGame::N_MenLevel2Click);
  std::fill(st.openingUsed.begin() + 1, st.openingUsed.begin() + 30, 1);
  st.openingUsed[25] = 0;
  const std::uint32_t seed = SeedFor({27, 25}, 29);
  random.Seed(seed);
  EXPECT_TRUE(Struck());
  EXPECT_EQ((State{st.computerPick, st.openingUsed[25]}), (State{25, 1}));
  const std::uint32_t after = random.SeedValue();
  random.Seed(seed); // 27, 25 and the strike's pick were drawn
  EXPECT_EQ(after, (random.Next(), random.Next(), random.Next(), random.SeedValue()));

  // Strikes 1, 3, 4 and 5 used: picks of 3, then 1, strike the second Marvok.
  st.strikeUsed = {0, 1, 0, 1, 1, 1};
  Hunt(5, 5, 2);
  random.Seed(SeedFor({3, 1}, 5));
  EXPECT_EQ(Turn(), pieces[1]);
  EXPECT_EQ(st.strikePick, 2);

  // Nothing free at all: no search, and no random number drawn.
  st.openingUsed[25] = 1;
  st.computerHunting = 0;
  const std::uint32_t before = random.SeedValue();
  EXPECT_EQ(Turn(), Cell{});
  st.strikeUsed.fill(1);
  Hunt(5, 5, 2);
  EXPECT_EQ(Turn(), Cell{});
  EXPECT_EQ(random.SeedValue(), before);
}

TEST_F(ComputerTurnTest, FollowUpsAndTheirEndings) {
  st.ownBoard.At(7, 6) = Piece; // a neighbour of (6,5) and (6,6), not of (6,4)
  Hunt(6, 5, 0);
  EXPECT_EQ(Turn(), (Cell{6, 6}));
  EXPECT_EQ(HuntState(), (State{1, 1}));
  EXPECT_EQ(Turn(), (Cell{6, 4}));
  EXPECT_EQ(HuntState(), (State{1, 2}));
  EXPECT_TRUE(Struck());
  Hunt(4, 1, 0);
  EXPECT_EQ(Turn(), (Cell{4, 2}));
  EXPECT_EQ(Turn(), (Cell{5, 1}));
  EXPECT_TRUE(Struck());
  Hunt(10, 9, 0); // (10,10) is a hidden corner
  EXPECT_TRUE(Struck());

  // A hit in step 0 ends the follow-up; one in step 1 leaves step 2, so the
  // next opening reaction is struck at once.
  st.ownBoard.At(6, 6) = Piece;
  Hunt(6, 5, 0);
  EXPECT_EQ(Turn(), (Cell{6, 6}));
  EXPECT_EQ(HuntState(), (State{0, 0}));
  st.ownBoard.At(6, 4) = Piece;
  Hunt(6, 5, 1, 6, 5);
  EXPECT_EQ(Turn(), (Cell{6, 4}));
  EXPECT_EQ(HuntState(), (State{0, 2}));
  st.ownBoard.At(3, 3) = Piece; // below (2,3), opening entry 1
  random.Seed(SeedFor({1}, 41));
  EXPECT_EQ(Turn(), (Cell{2, 3}));
  EXPECT_TRUE(Struck());
}

TEST_F(ComputerTurnTest, NoFollowUpFromRowsOneAndNineNorOffTheField) {
  Hunt(1, 5, 0);
  EXPECT_EQ(Turn(), Cell{});
  EXPECT_EQ((State{st.huntStep, st.huntOriginRow}), (State{0, 1}));
  Hunt(9, 3, 1, 9, 3);
  EXPECT_EQ(Turn(), Cell{});
  EXPECT_EQ(HuntState(), (State{1, 1}));

  // Column 11 and column 0 would leave the field: strike instead.
  Hunt(5, 10, 0);
  EXPECT_TRUE(Struck());
  Hunt(10, 1, 1, 10, 1);
  EXPECT_TRUE(Struck());

  for (MenuItem level : {MenuItem::N_MenLevel1, MenuItem::N_MenLevel2, MenuItem::N_MenLevel3})
    ui.SetChecked(level, false);
  EXPECT_EQ(Turn(), Cell{});
}

} // namespace
