#pragma once
// The search rule that judges every search, in either direction, and the zone
// of cells a search marks.
#include <vector>

#include "game/Board.h"
#include "game/GameState.h"

namespace game {

struct Cell {
  int row = 0;
  int column = 0;
  bool operator==(const Cell &) const = default;
};

// Judges a search of (row, column) against board: Hit when a live Marvok stands
// there, else Reaction when one stands on one of the six neighbours, else Nothing.
SearchResult EvaluateSearch(const Board &board, int row, int column);

// The searched cell and its neighbours on the field, in marking order.
std::vector<Cell> SearchZone(int row, int column);

} // namespace game
