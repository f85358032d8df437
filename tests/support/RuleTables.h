#pragma once
// The game's tables as its rules give them, for tests to compare the code
// with: the computer's deployment layouts, its opening tables, and the tiles
// each board view shows.
#include <array>
#include <utility>

#include "game/Board.h"

namespace ruletables {

struct Rc {
  int r = 0, c = 0;
  bool operator==(const Rc &) const = default;
};
inline constexpr Rc kStrike{}; // an opening entry that strikes

// The computer's deployment layouts: [level - 1][layout - 1].
inline constexpr Rc kLayouts[3][5][5] = {
    {{{1, 2}, {2, 5}, {4, 2}, {9, 8}, {10, 2}},
     {{1, 2}, {3, 3}, {5, 3}, {7, 8}, {10, 5}},
     {{2, 2}, {6, 5}, {6, 6}, {8, 3}, {9, 5}},
     {{3, 8}, {6, 5}, {7, 2}, {9, 8}, {10, 8}},
     {{2, 9}, {3, 2}, {4, 2}, {9, 3}, {9, 8}}},
    {{{1, 2}, {1, 3}, {1, 4}, {6, 8}, {8, 2}},
     {{5, 6}, {5, 7}, {5, 8}, {7, 8}, {10, 2}},
     {{3, 3}, {4, 3}, {5, 3}, {9, 8}, {9, 9}},
     {{6, 4}, {7, 4}, {8, 4}, {9, 4}, {10, 4}},
     {{2, 7}, {2, 8}, {2, 9}, {7, 2}, {7, 10}}},
    {{{1, 3}, {1, 4}, {3, 2}, {6, 9}, {8, 2}},
     {{5, 6}, {5, 9}, {7, 1}, {9, 7}, {10, 2}},
     {{3, 3}, {4, 3}, {5, 3}, {9, 1}, {9, 9}},
     {{6, 1}, {7, 4}, {8, 4}, {9, 9}, {10, 4}},
     {{1, 7}, {2, 1}, {2, 9}, {7, 2}, {7, 10}}},
};

inline game::Board BoardOf(const Rc (&layout)[5]) {
  game::Board board;
  for (const Rc &x : layout)
    board.At(x.r, x.c) = game::Piece;
  return board;
}

// The opening tables, entry k at [k - 1].
inline constexpr std::array<Rc, 41> kOpeningLevel1{{
    {2, 3}, {2, 5}, {2, 7}, {2, 9},  {4, 3},  {4, 5},  {4, 7},  {4, 9},  {6, 3},  {6, 5}, {6, 7},
    {6, 9}, {8, 3}, {8, 5}, {8, 7},  {8, 9},  {10, 3}, {10, 5}, {10, 7}, {10, 9}, {2, 1}, {4, 1},
    {6, 1}, {8, 1}, {3, 3}, {3, 5},  {3, 7},  {3, 9},  {5, 3},  {5, 5},  {5, 7},  {5, 9}, {7, 3},
    {7, 5}, {7, 7}, {7, 9}, kStrike, kStrike, kStrike, kStrike, kStrike,
}};
inline constexpr std::array<Rc, 29> kOpeningLevel2{{
    {2, 3}, {2, 5}, {2, 7}, {2, 9}, {4, 3},  {4, 5},  {4, 7},  {4, 9},  {6, 3},  {6, 5},
    {6, 7}, {6, 9}, {8, 3}, {8, 5}, {8, 7},  {8, 9},  {10, 3}, {10, 5}, {10, 7}, {10, 9},
    {2, 1}, {4, 1}, {6, 1}, {8, 1}, kStrike, kStrike, kStrike, kStrike, kStrike,
}};

// Where each tile lies on the tile sheet: a cell shows the tile it got.
using Tile = std::pair<int, int>;
inline constexpr Tile kBlank{0, 0}, kOwnNothing{20, 0}, kReaction{40, 0}, kOwnPiece{0, 21},
    kDestroyedOpponent{20, 21}, kOpponentNothing{40, 21};

// The player's view: an own live Marvok, then a destroyed opponent's Marvok,
// then the marks of the player's searches.
inline Tile PlayerViewTile(game::CellCode own, game::CellCode opponent) {
  return own == game::Piece            ? kOwnPiece
         : opponent == game::Destroyed ? kDestroyedOpponent
         : own == game::ReactionMark   ? kReaction
         : own == game::NothingMark    ? kOwnNothing
                                       : kBlank;
}
// The opponent's view: the marks of the opponent's searches only.
inline Tile OpponentViewTile(game::CellCode mark) {
  return mark == game::NothingMark ? kOpponentNothing : mark == game::ReactionMark ? kReaction : kBlank;
}

} // namespace ruletables
