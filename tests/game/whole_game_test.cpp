#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "tests/support/OpponentSideHarness.h"

using namespace game;
using namespace gametest;

namespace {

// One whole game against the computer with a scripted player who deploys at
// random, sweeps the opponent's field in a random order, now and then guesses
// right and now and then lets the clock run out. Returns whether it won.
bool PlayGame(int level, std::uint32_t seed) {
  PlayerSide side;
  GameState &st = side.st;
  side.random.Seed(seed);
  level == 1   ? side.game.N_MenLevel1Click()
  : level == 2 ? side.game.N_MenLevel2Click()
               : side.game.N_MenLevel3Click();
  std::mt19937 script(seed);
  std::vector<Cell> cells, live;
  for (int k = 2; k <= 99; ++k)
    if (k != 10 && k != 91)
      cells.push_back({(k - 1) / 10 + 1, (k - 1) % 10 + 1});
  std::shuffle(cells.begin(), cells.end(), script);
  for (int i = 0; i < 5; ++i)
    side.Click(cells[i].row, cells[i].column);
  std::shuffle(cells.begin(), cells.end(), script);

  // The computer alone ends a game: at most 40 opening entries, each with two
  // follow-up steps and a strike, then strikes.
  for (std::size_t turn = 0; turn < 40 * 4 + 5 && st.gameOver == 0; ++turn) {
    EXPECT_EQ(st.gamePhase, SearchTurn);
    live.clear();
    for (const Cell &cell : cells)
      if (st.opponentBoard.At(cell.row, cell.column) == Piece)
        live.push_back(cell);
    const auto roll = script() % 8;
    if (roll == 0) {
      for (int tick = 0; tick < 300 && side.ui.Enabled(Timer::N_TimTimer1); ++tick)
        side.game.N_TimTimer1Timer();
    } else {
      const Cell cell = roll == 1 ? live.front() : cells[turn % cells.size()];
      side.Click(cell.row, cell.column);
    }
    for (int tick = 0; tick < 5 && side.ui.Enabled(Timer::N_TimTurn1); ++tick)
      side.game.N_TimTurn1Timer();
    EXPECT_FALSE(side.ui.Enabled(Timer::N_TimTurn1));
  }
  EXPECT_EQ(st.gameOver, 1) << "level " << level << " seed " << seed;
  const bool won = st.opponentPiecesLeft == 0;
  EXPECT_NE(won, st.ownPiecesLeft == 0);
  EXPECT_EQ(side.ui.Visible(Picture::N_ImaMessage1), !won);
  return won;
}

TEST(WholeGameTest, EveryGameEndsWithinBoundedTurnsAndEitherSideCanWin) {
  for (int level : {1, 2, 3}) {
    int wins = 0;
    for (std::uint32_t seed = 1; seed <= 100; ++seed)
      wins += PlayGame(level, seed);
    EXPECT_GT(wins, 0) << level;
    EXPECT_LT(wins, 100) << level;
  }
}

} // namespace
