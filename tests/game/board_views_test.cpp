// The two board views: every cell repainted with the tile its values give.
#include <gtest/gtest.h>

#include "tests/support/PlayerSideHarness.h"
#include "tests/support/RuleTables.h"

using namespace game;
using gametest::PlayerSide;

TEST(BoardViews, PlayerViewPrecedenceForEveryPairOfValues) {
  PlayerSide side;
  const CellCode own[] = {Empty, ReactionMark, NothingMark, Destroyed, Piece};
  const CellCode opponent[] = {Empty, Piece, Destroyed};
  // One combination per cell, corner cell 1 included; mark pictures on top
  // must be replaced by the view.
  std::vector<ruletables::Tile> expected(101, ruletables::kBlank);
  int k = 1;
  for (CellCode o : own)
    for (CellCode p : opponent) {
      side.st.ownBoard.At((k - 1) / 10 + 1, (k - 1) % 10 + 1) = o;
      side.st.opponentBoard.At((k - 1) / 10 + 1, (k - 1) % 10 + 1) = p;
      side.ui.LoadPicture(CellPicture(k), "/data/Mark04.bmp");
      expected[static_cast<std::size_t>(k++)] = ruletables::PlayerViewTile(o, p);
    }
  for (int pass = 1; pass <= 2; ++pass) {
    side.game.DrawPlayerView();
    for (int cell = 1; cell <= 100; ++cell) {
      EXPECT_EQ(side.ui.TileAt(cell), expected[static_cast<std::size_t>(cell)]) << cell;
      EXPECT_EQ(side.ui.refreshes[CellPicture(cell)], pass);
    }
  }
}

TEST(BoardViews, OpponentViewShowsOnlyTheOpponentsMarks) {
  PlayerSide side;
  side.st.opponentMarks.At(2, 2) = NothingMark;
  side.st.opponentMarks.At(3, 3) = ReactionMark;
  side.st.opponentMarks.At(4, 4) = NothingMark;
  side.st.ownBoard.At(4, 4) = Piece; // covered by the mark in this view
  side.st.ownBoard.At(5, 5) = Piece;
  side.st.ownBoard.At(6, 6) = NothingMark;
  side.st.opponentBoard.At(7, 7) = Destroyed;
  for (int k = 1; k <= 100; ++k)
    side.ui.LoadPicture(CellPicture(k), "/data/Mark05.bmp");
  side.game.DrawOpponentView();
  for (int r = 1; r <= 10; ++r)
    for (int c = 1; c <= 10; ++c) {
      EXPECT_EQ(side.ui.TileAt(CellNumber(r, c)),
                ruletables::OpponentViewTile(side.st.opponentMarks.At(r, c)))
          << r << "," << c;
      EXPECT_EQ(side.ui.refreshes[CellPicture(CellNumber(r, c))], 1);
    }
}
