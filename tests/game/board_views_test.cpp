#include <gtest/gtest.h>

#include <utility>

#include "game/Tiles.h"
#include "tests/game/PlayerSideHarness.h"

using namespace game;
using gametest::PlayerSide;

namespace {

std::pair<int, int> Of(Tile tile) { return {tile.x, tile.y}; }

} // namespace

TEST(BoardViews, PlayerViewPrecedenceForEveryPairOfValues) {
  PlayerSide side;
  const CellCode own[] = {Empty, ReactionMark, NothingMark, Destroyed, Piece};
  const CellCode opponent[] = {Empty, Piece, Destroyed};
  // One combination per cell, corner cell 1 included; mark pictures on top
  // must be replaced by the view.
  int k = 1;
  for (CellCode o : own)
    for (CellCode p : opponent) {
      side.st.ownBoard.At((k - 1) / 10 + 1, (k - 1) % 10 + 1) = o;
      side.st.opponentBoard.At((k - 1) / 10 + 1, (k - 1) % 10 + 1) = p;
      side.ui.LoadPicture(CellPicture(k), "/data/Mark04.bmp");
      ++k;
    }
  for (int pass = 0; pass < 2; ++pass) {
    side.game.DrawPlayerView();
    k = 1;
    for (CellCode o : own)
      for (CellCode p : opponent) {
        Tile expected = o == Piece          ? OwnPieceTile
                        : p == Destroyed    ? DestroyedOpponentTile
                        : o == ReactionMark ? ReactionTile
                        : o == NothingMark  ? OwnNothingTile
                                            : BlankTile;
        EXPECT_EQ(side.ui.TileAt(k), Of(expected)) << "own " << o << " opponent " << p;
        ++k;
      }
    for (int cell = k; cell <= 100; ++cell)
      EXPECT_EQ(side.ui.TileAt(cell), Of(BlankTile));
  }
  for (int cell = 1; cell <= 100; ++cell)
    EXPECT_EQ(side.ui.refreshes[CellPicture(cell)], 2);
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
      Tile expected = side.st.opponentMarks.At(r, c) == NothingMark    ? OpponentNothingTile
                      : side.st.opponentMarks.At(r, c) == ReactionMark ? ReactionTile
                                                                       : BlankTile;
      EXPECT_EQ(side.ui.TileAt(CellNumber(r, c)), Of(expected)) << r << "," << c;
      EXPECT_EQ(side.ui.refreshes[CellPicture(CellNumber(r, c))], 1);
    }
}
