// The cell pictures' press and hover handlers: picture k stands for cell
// (r, c) with k = 10(r-1)+c.
#include <cstdio>

#include "game/MarvokGame.h"

namespace game {

namespace {

constexpr bool IsCellNumber(int k) { return k >= 1 && k <= kFieldSize * kFieldSize; }
constexpr int RowOf(int k) { return (k - 1) / kFieldSize + 1; }
constexpr int ColumnOf(int k) { return (k - 1) % kFieldSize + 1; }

} // namespace

void MarvokGame::CellMouseDown(int k) {
  if (!IsCellNumber(k))
    return;
  // Any button acts; PlayerMove makes every test of phase and turn.
  st_.selectedColumn = ColumnOf(k);
  PlayerMove(RowOf(k), st_.selectedColumn);
}

void MarvokGame::CellMouseMove(int k) {
  if (!IsCellNumber(k))
    return;
  // X is the row, Y the column.
  char caption[16];
  std::snprintf(caption, sizeof caption, "\nX-%02d Y-%02d", RowOf(k), ColumnOf(k));
  ui_.SetCaption(Label::N_LabScore8, caption);
}

} // namespace game
