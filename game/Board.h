#pragma once
// A 10 by 10 field of cells addressed (row, column), each 1..10.
#include <array>
#include <cstdint>
#include <stdexcept>

namespace game {

enum CellCode : std::int32_t {
  Empty = 0,
  ReactionMark = 1,
  NothingMark = 2,
  Destroyed = 3,
  Piece = 4,
};

inline constexpr int kFieldSize = 10;

constexpr bool OnField(int row, int column) {
  return row >= 1 && row <= kFieldSize && column >= 1 && column <= kFieldSize;
}

// Number k of the cell picture ImageK that shows cell (row, column).
constexpr int CellNumber(int row, int column) { return 10 * (row - 1) + column; }

class Board {
public:
  // Bounds-checked: a cell off the field is a programming error and throws.
  CellCode &At(int row, int column) { return cells_.at(Index(row, column)); }
  CellCode At(int row, int column) const { return cells_.at(Index(row, column)); }

  void Clear() { cells_.fill(Empty); }
  bool operator==(const Board &) const = default;

private:
  static std::size_t Index(int row, int column) {
    if (!OnField(row, column))
      throw std::out_of_range("cell off the field");
    return static_cast<std::size_t>(CellNumber(row, column) - 1);
  }
  std::array<CellCode, kFieldSize * kFieldSize> cells_{}; // all Empty
};

} // namespace game
