// The computer opponent's choice of the cell it searches: opening tables by
// level, the follow-up to the right and the left of a reaction, and strikes at
// the player's recorded Marvok.
#include <cstdint>

#include "game/MarvokGame.h"
#include "game/OpeningTables.h"

namespace game {

namespace {

// Picks an entry among 1..n and walks upward past used entries; a walk that
// ends on a used last entry picks again. The pick field follows the walk.
// Returns 0, drawing no random number, when no entry is free: the walk would
// never end then.
template <typename Used> int PickAndWalk(Random &random, std::int32_t &pick, int n, Used used) {
  bool anyFree = false;
  for (int k = 1; k <= n && !anyFree; ++k)
    anyFree = !used(k);
  if (!anyFree)
    return 0;
  for (;;) {
    pick = random.Choice(n);
    while (used(pick) && pick != n)
      ++pick;
    if (!used(pick))
      return pick;
  }
}

} // namespace

void MarvokGame::ComputerTurn() {
  DrawOpponentView();

  bool levelOne = false;
  if (ui_.Checked(MenuItem::N_MenLevel1))
    levelOne = true;
  else if (!ui_.Checked(MenuItem::N_MenLevel2) && !ui_.Checked(MenuItem::N_MenLevel3))
    return;

  if (st_.computerHunting == 0) {
    if (levelOne)
      ChooseComputerSearchLevel1();
    else
      ChooseComputerSearchLevel2();
    return;
  }
  switch (st_.huntStep) {
  case 2: ComputerStrikeKnownPiece(); break;
  case 1: ComputerSearchLeftOfReaction(); break;
  case 0: ComputerSearchRightOfReaction(); break;
  default: break;
  }
}

void MarvokGame::ChooseComputerSearchLevel1() { TakeOpeningEntry(true); }

void MarvokGame::ChooseComputerSearchLevel2() { TakeOpeningEntry(false); }

void MarvokGame::TakeOpeningEntry(bool levelOne) {
  const OpeningEntry *table = levelOne ? OpeningTableLevel1.data() : OpeningTableLevel2.data();
  const int n =
      levelOne ? static_cast<int>(OpeningTableLevel1.size()) : static_cast<int>(OpeningTableLevel2.size());
  // Level 1's last entry has no used flag.
  auto flagged = [&](int k) { return !(levelOne && k == n); };
  auto used = [&](int k) { return flagged(k) && st_.openingUsed.at(static_cast<std::size_t>(k)) != 0; };

  const int k = PickAndWalk(random_, st_.computerPick, n, used);
  if (k == 0)
    return;
  const OpeningEntry entry = table[k - 1];
  if (entry.IsStrike()) {
    if (flagged(k))
      st_.openingUsed.at(static_cast<std::size_t>(k)) = 1;
    ComputerStrikeKnownPiece();
    return;
  }
  st_.selectedColumn = entry.column;
  st_.openingUsed.at(static_cast<std::size_t>(k)) = 1;
  OpponentSearch(entry.row, entry.column);
}

void MarvokGame::ComputerSearchRightOfReaction() {
  st_.huntOriginColumn = st_.huntColumn;
  st_.huntOriginRow = st_.huntRow;
  const int row = st_.huntRow;
  const int column = st_.huntColumn + 1;
  // From rows 1 and 9 there is no follow-up.
  if (!((row >= 2 && row <= 8) || row == 10))
    return;
  // (10,10) is a hidden corner, and a cell off the field cannot be searched:
  // strike instead.
  if ((row == 10 && column == 10) || !OnField(row, column)) {
    ComputerStrikeKnownPiece();
    return;
  }
  // Set before the search, so that a hit found here ends the follow-up.
  st_.huntStep = 1;
  st_.selectedColumn = column;
  OpponentSearch(row, column);
}

void MarvokGame::ComputerSearchLeftOfReaction() {
  const int originRow = st_.huntOriginRow;
  const int originColumn = st_.huntOriginColumn;
  int row = 0;
  int column = 0;
  if (originRow >= 2 && originRow <= 8) {
    // In column 1 the cell below stands in for the missing left neighbour.
    row = originColumn == 1 ? originRow + 1 : originRow;
    column = originColumn == 1 ? 1 : originColumn - 1;
  } else if (originRow == 10) {
    row = 10;
    column = originColumn - 1;
  } else {
    return; // rows 1 and 9: no follow-up
  }
  if (!OnField(row, column)) {
    ComputerStrikeKnownPiece();
    return;
  }
  st_.selectedColumn = column;
  OpponentSearch(row, column);
  st_.huntStep = 2;
}

void MarvokGame::ComputerStrikeKnownPiece() {
  auto used = [&](int k) { return st_.strikeUsed.at(static_cast<std::size_t>(k)) != 0; };
  const int k = PickAndWalk(random_, st_.strikePick, kStrikeEntries, used);
  if (k == 0)
    return;
  const PiecePosition target = st_.ownPiecePositions.at(static_cast<std::size_t>(k));
  st_.selectedColumn = target.column;
  OpponentSearch(target.row, target.column);
  // Cleared whatever the strike found: a strike is never followed up.
  st_.computerHunting = 0;
  st_.huntStep = 0;
  st_.strikeUsed.at(static_cast<std::size_t>(k)) = 1;
}

} // namespace game
