#pragma once
// Helpers for tests of the opponent's side: scripted random picks, the cell a
// search marked, and pictures whose pixels tell where they were copied from.
#include <cstdint>
#include <optional>
#include <vector>

#include "tests/support/Pixels.h"
#include "tests/support/PlayerSideHarness.h"

namespace gametest {

// A seed whose next choices among n are exactly picks.
inline std::uint32_t SeedFor(const std::vector<int> &picks, int n) {
  for (std::uint32_t seed = 1;; ++seed) {
    game::Random random;
    random.Seed(seed);
    bool match = true;
    for (int pick : picks)
      match = match && random.Choice(n) == pick;
    if (match)
      return seed;
  }
}

// The cell searched by the mark pictures loaded since loads[from]: the one
// picture of a hit, or the cell whose zone they cover in order.
inline std::optional<game::Cell> SearchedCell(const FakeMainWindow &ui, std::size_t from) {
  std::vector<int> cells;
  for (std::size_t i = from; i < ui.loads.size(); ++i)
    if (game::IsCellPicture(ui.loads[i].picture))
      cells.push_back(static_cast<int>(ui.loads[i].picture));
  for (int r = 1; r <= 10; ++r)
    for (int c = 1; c <= 10; ++c) {
      std::vector<int> zone;
      for (const game::Cell &cell : game::SearchZone(r, c))
        zone.push_back(game::CellNumber(cell.row, cell.column));
      if (zone == cells || cells == std::vector<int>{game::CellNumber(r, c)})
        return game::Cell{r, c};
    }
  return std::nullopt;
}

using testpixels::PaintPositions;
using testpixels::Source;
using testpixels::SourceOf;

} // namespace gametest
