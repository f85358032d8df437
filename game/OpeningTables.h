#pragma once
// The computer opponent's opening tables: the cells it tries, in random order,
// while it follows up no reaction, and the entries on which it strikes at one of
// the player's recorded Marvok instead.
#include <array>

namespace game {

struct OpeningEntry {
  int row = 0; // 0: a strike
  int column = 0;
  constexpr bool IsStrike() const { return row == 0; }
};

inline constexpr OpeningEntry kStrikeEntry{};

// Level 1 ("初級"): 36 cells and five strikes. Its last entry is never marked
// used, so a walk over it always ends there at the latest.
inline constexpr std::array<OpeningEntry, 41> OpeningTableLevel1{{
    {2, 3},       {2, 5},       {2, 7},       {2, 9},       {4, 3},       {4, 5}, {4, 7}, {4, 9},  {6, 3},
    {6, 5},       {6, 7},       {6, 9},       {8, 3},       {8, 5},       {8, 7}, {8, 9}, {10, 3}, {10, 5},
    {10, 7},      {10, 9},      {2, 1},       {4, 1},       {6, 1},       {8, 1}, {3, 3}, {3, 5},  {3, 7},
    {3, 9},       {5, 3},       {5, 5},       {5, 7},       {5, 9},       {7, 3}, {7, 5}, {7, 7},  {7, 9},
    kStrikeEntry, kStrikeEntry, kStrikeEntry, kStrikeEntry, kStrikeEntry,
}};

// Levels 2 and 3 ("中級", "上級"): the first 24 cells of level 1 and five strikes.
inline constexpr std::array<OpeningEntry, 29> OpeningTableLevel2{{
    {2, 3},       {2, 5},       {2, 7},       {2, 9},       {4, 3},       {4, 5}, {4, 7}, {4, 9},
    {6, 3},       {6, 5},       {6, 7},       {6, 9},       {8, 3},       {8, 5}, {8, 7}, {8, 9},
    {10, 3},      {10, 5},      {10, 7},      {10, 9},      {2, 1},       {4, 1}, {6, 1}, {8, 1},
    kStrikeEntry, kStrikeEntry, kStrikeEntry, kStrikeEntry, kStrikeEntry,
}};

} // namespace game
