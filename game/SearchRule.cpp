#include "game/SearchRule.h"

namespace game {

namespace {

bool LivePiece(const Board &board, int row, int column) {
  return OnField(row, column) && board.At(row, column) == Piece;
}

} // namespace

SearchResult EvaluateSearch(const Board &board, int row, int column) {
  // A cell off the field (a peer can name one) is searched as nothing at all.
  if (!OnField(row, column))
    return Nothing;

  SearchResult result = Nothing;
  auto neighbour = [&](int r, int c) {
    if (LivePiece(board, r, c))
      result = Reaction;
  };
  // Column neighbours first, then the left pair, then the right pair; the two
  // diagonals (r-1,c+1) and (r+1,c-1) are not neighbours.
  if (row > 1)
    neighbour(row - 1, column);
  if (row < kFieldSize)
    neighbour(row + 1, column);
  if (column > 1) {
    if (row > 1)
      neighbour(row - 1, column - 1);
    neighbour(row, column - 1);
  }
  if (column < kFieldSize) {
    neighbour(row, column + 1);
    if (row < kFieldSize)
      neighbour(row + 1, column + 1);
  }
  // The centre last: a hit wins over any reaction.
  if (board.At(row, column) == Piece)
    result = Hit;
  return result;
}

std::vector<Cell> SearchZone(int row, int column) {
  std::vector<Cell> zone;
  if (!OnField(row, column))
    return zone;
  zone.reserve(7);
  if (row > 1)
    zone.push_back({row - 1, column});
  zone.push_back({row, column});
  if (row < kFieldSize)
    zone.push_back({row + 1, column});
  if (column > 1) {
    if (row > 1)
      zone.push_back({row - 1, column - 1});
    zone.push_back({row, column - 1});
  }
  if (column < kFieldSize) {
    zone.push_back({row, column + 1});
    if (row < kFieldSize)
      zone.push_back({row + 1, column + 1});
  }
  return zone;
}

} // namespace game
