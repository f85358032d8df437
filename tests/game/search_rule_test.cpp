#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/SearchRule.h"

using namespace game;

namespace {

Board With(std::initializer_list<Cell> cells, CellCode code = Piece) {
  Board board;
  for (const Cell &cell : cells)
    board.At(cell.row, cell.column) = code;
  return board;
}

} // namespace

TEST(SearchRule, EachSurroundingCellAloneAndDestroyedCountsForNothing) {
  struct Case {
    int dr, dc;
    SearchResult expected;
  };
  // (r-1,c+1) and (r+1,c-1) are the two cells of the square that are no neighbours.
  const Case cases[] = {{-1, -1, Reaction}, {-1, 0, Reaction}, {-1, 1, Nothing}, {0, -1, Reaction},
                        {0, 1, Reaction},   {1, -1, Nothing},  {1, 0, Reaction}, {1, 1, Reaction}};
  for (const Case &c : cases) {
    EXPECT_EQ(EvaluateSearch(With({{5 + c.dr, 5 + c.dc}}), 5, 5), c.expected) << c.dr << "," << c.dc;
    EXPECT_EQ(EvaluateSearch(With({{5 + c.dr, 5 + c.dc}}, Destroyed), 5, 5), Nothing);
  }
  EXPECT_EQ(EvaluateSearch(With({{5, 5}, {4, 5}, {6, 6}}), 5, 5), Hit);
  Board destroyedCentre = With({{5, 5}}, Destroyed);
  EXPECT_EQ(EvaluateSearch(destroyedCentre, 5, 5), Nothing);
  destroyedCentre.At(6, 6) = Piece;
  EXPECT_EQ(EvaluateSearch(destroyedCentre, 5, 5), Reaction);

  Board marksOnly;
  for (int r = 1; r <= 10; ++r)
    for (int c = 1; c <= 10; ++c)
      marksOnly.At(r, c) = (r + c) % 2 ? ReactionMark : NothingMark;
  for (int r = 1; r <= 10; ++r)
    for (int c = 1; c <= 10; ++c)
      EXPECT_EQ(EvaluateSearch(marksOnly, r, c), Nothing);
}

TEST(SearchRule, NothingWrapsAcrossRowsAndNothingOffTheFieldIsTouched) {
  // The cells a flat index would reach by wrapping from column 1 or 10.
  EXPECT_EQ(EvaluateSearch(With({{4, 10}, {3, 10}}), 5, 1), Nothing);
  EXPECT_EQ(EvaluateSearch(With({{6, 1}, {7, 1}}), 5, 10), Nothing);
  EXPECT_EQ(EvaluateSearch(With({{9, 10}}), 10, 10), Reaction);
  for (Cell off : {Cell{0, 5}, Cell{11, 5}, Cell{5, 0}, Cell{5, 11}, Cell{-3, 40}}) {
    EXPECT_EQ(EvaluateSearch(With({{1, 5}, {10, 5}, {5, 1}, {5, 10}}), off.row, off.column), Nothing);
    EXPECT_TRUE(SearchZone(off.row, off.column).empty());
  }
}

TEST(SearchZone, MarkingOrderAtTheEdges) {
  EXPECT_EQ(SearchZone(2, 2), (std::vector<Cell>{{1, 2}, {2, 2}, {3, 2}, {1, 1}, {2, 1}, {2, 3}, {3, 3}}));
  EXPECT_EQ(SearchZone(1, 10), (std::vector<Cell>{{1, 10}, {2, 10}, {1, 9}}));
  EXPECT_EQ(SearchZone(10, 1), (std::vector<Cell>{{9, 1}, {10, 1}, {10, 2}}));
  EXPECT_EQ(SearchZone(1, 1), (std::vector<Cell>{{1, 1}, {2, 1}, {1, 2}, {2, 2}}));
  EXPECT_EQ(SearchZone(10, 10), (std::vector<Cell>{{9, 10}, {10, 10}, {9, 9}, {10, 9}}));
}

TEST(SearchZone, EveryCellsZoneIsExactlyWhatTheRuleReacts) {
  for (int r = 1; r <= 10; ++r)
    for (int c = 1; c <= 10; ++c) {
      const auto zone = SearchZone(r, c);
      const bool edgeRow = r == 1 || r == 10, edgeColumn = c == 1 || c == 10;
      const std::size_t size = edgeRow && edgeColumn   ? ((r == 1) == (c == 1) ? 4 : 3)
                               : edgeRow || edgeColumn ? 5
                                                       : 7;
      EXPECT_EQ(zone.size(), size) << r << "," << c;
      // A lone Marvok is noticed from (r,c) exactly when it stands in the zone.
      for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y) {
          const bool inZone = std::count(zone.begin(), zone.end(), Cell{x, y}) == 1;
          EXPECT_EQ(EvaluateSearch(With({{x, y}}), r, c) != Nothing, inZone)
              << r << "," << c << " / " << x << "," << y;
        }
    }
}
