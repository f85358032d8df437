// The two board views: whole redraws of the 100 cell pictures from the boards.
#include "game/MarvokGame.h"
#include "game/Tiles.h"
#include "platform/core/Bitmap.h"

namespace game {

namespace {

constexpr int kCells = kFieldSize * kFieldSize;

} // namespace

void MarvokGame::CopyTile(int k, int tileX, int tileY) {
  platform::BitBlt(ui_.Canvas(CellPicture(k)), 0, 0, kTileWidth, kTileHeight, ui_.Canvas(Picture::N_ImaMark1),
                   tileX, tileY);
}

void MarvokGame::DrawPlayerView() {
  auto pass = [this](Tile tile, auto matches) {
    for (int k = 1; k <= kCells; ++k) {
      const int row = (k - 1) / kFieldSize + 1, column = (k - 1) % kFieldSize + 1;
      if (matches(row, column))
        CopyTile(k, tile.x, tile.y);
    }
  };
  const Board &own = st_.ownBoard;
  // Later passes cover earlier ones: own live Marvok above destroyed opponent
  // Marvok above the marks of the player's searches.
  pass(BlankTile, [&](int r, int c) { return own.At(r, c) == Empty || own.At(r, c) == Destroyed; });
  pass(OwnNothingTile, [&](int r, int c) { return own.At(r, c) == NothingMark; });
  pass(ReactionTile, [&](int r, int c) { return own.At(r, c) == ReactionMark; });
  pass(DestroyedOpponentTile, [&](int r, int c) { return st_.opponentBoard.At(r, c) == Destroyed; });
  pass(OwnPieceTile, [&](int r, int c) { return own.At(r, c) == Piece; });
  RepaintAllCells();
}

void MarvokGame::DrawOpponentView() {
  for (int k = 1; k <= kCells; ++k) {
    const int row = (k - 1) / kFieldSize + 1, column = (k - 1) % kFieldSize + 1;
    switch (st_.opponentMarks.At(row, column)) {
    case Empty: CopyTile(k, BlankTile.x, BlankTile.y); break;
    case NothingMark: CopyTile(k, OpponentNothingTile.x, OpponentNothingTile.y); break;
    case ReactionMark: CopyTile(k, ReactionTile.x, ReactionTile.y); break;
    default: break; // never held by opponentMarks; the cell keeps its picture
    }
  }
  RepaintAllCells();
}

void MarvokGame::RepaintAllCells() {
  // The tile copies write raw pixels; only a repaint puts them on the screen.
  for (int k = 1; k <= kCells; ++k)
    ui_.Refresh(CellPicture(k));
}

} // namespace game
