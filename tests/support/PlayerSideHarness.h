#pragma once
// A game wired to the fake window, with helpers for the player's side.
#include "game/MarvokGame.h"
#include "game/SearchRule.h"
#include "tests/support/FakeMainWindow.h"

namespace gametest {

struct PlayerSide {
  game::GameState st;
  FakeMainWindow ui;
  game::Random random;
  game::MarvokGame game{st, ui, random};

  PlayerSide() { random.Seed(1); }

  void Click(int row, int column) { game.CellMouseDown(game::CellNumber(row, column)); }

  // A new game and the player's five Marvok.
  void Deploy(std::initializer_list<game::Cell> cells) {
    game.N_MenNew1Click();
    for (const game::Cell &cell : cells)
      Click(cell.row, cell.column);
  }
};

} // namespace gametest
