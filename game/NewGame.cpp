// New game, the three levels, the game-over picture's click and the computer's
// deployment layouts.
#include <array>

#include "game/FaceSheets.h"
#include "game/MarvokGame.h"
#include "game/SearchRule.h"
#include "game/Tiles.h"

namespace game {

namespace {

using Layout = std::array<Cell, 5>;

// Five layouts for each level, cells as (row, column); none uses a corner.
constexpr std::array<std::array<Layout, 5>, 3> kComputerLayouts{{
    {{
        {{{1, 2}, {2, 5}, {4, 2}, {9, 8}, {10, 2}}},
        {{{1, 2}, {3, 3}, {5, 3}, {7, 8}, {10, 5}}},
        {{{2, 2}, {6, 5}, {6, 6}, {8, 3}, {9, 5}}},
        {{{3, 8}, {6, 5}, {7, 2}, {9, 8}, {10, 8}}},
        {{{2, 9}, {3, 2}, {4, 2}, {9, 3}, {9, 8}}},
    }},
    {{
        {{{1, 2}, {1, 3}, {1, 4}, {6, 8}, {8, 2}}},
        {{{5, 6}, {5, 7}, {5, 8}, {7, 8}, {10, 2}}},
        {{{3, 3}, {4, 3}, {5, 3}, {9, 8}, {9, 9}}},
        {{{6, 4}, {7, 4}, {8, 4}, {9, 4}, {10, 4}}},
        {{{2, 7}, {2, 8}, {2, 9}, {7, 2}, {7, 10}}},
    }},
    {{
        {{{1, 3}, {1, 4}, {3, 2}, {6, 9}, {8, 2}}},
        {{{5, 6}, {5, 9}, {7, 1}, {9, 7}, {10, 2}}},
        {{{3, 3}, {4, 3}, {5, 3}, {9, 1}, {9, 9}}},
        {{{6, 1}, {7, 4}, {8, 4}, {9, 9}, {10, 4}}},
        {{{1, 7}, {2, 1}, {2, 9}, {7, 2}, {7, 10}}},
    }},
}};

constexpr std::array<MenuItem, 3> kLevelItems{MenuItem::N_MenLevel1, MenuItem::N_MenLevel2,
                                              MenuItem::N_MenLevel3};

} // namespace

void MarvokGame::N_MenNew1Click() {
  ui_.SetEnabled(Timer::N_TimTurn1, false);
  ui_.SetEnabled(Timer::N_TimTimer1, false);
  ui_.SetEnabled(Timer::N_TimEffect1, false);

  ui_.SetVisible(Picture::N_ImaLife1, true);
  ui_.SetWidth(Picture::N_ImaLife1, LifeBarWidth(5));
  ui_.SetVisible(Picture::N_ImaLife2, true);
  ui_.SetWidth(Picture::N_ImaLife2, LifeBarWidth(5));

  ui_.SetVisible(Picture::N_ImaMessage1, false);
  ui_.SetVisible(Label::N_LabMessage2, false);

  // The player's portrait wipe source. A missing file is reported and the reset
  // goes on: a game left half reset would be played on the old boards.
  LoadDataPicture(Picture::N_ImaWork2, "Cast1.bmp");

  st_.selectedColumn = 0;
  st_.turnTick = 0;
  st_.netReceiveState = NetIdle;
  st_.guestFirstTurnDone = 0;
  st_.echoSkipToggle = 0;

  st_.ownBoard.Clear();
  st_.opponentBoard.Clear();
  st_.opponentMarks.Clear();
  st_.searchResult = Nothing;

  st_.turnCountdown = CountdownStartValue();

  st_.computerPick = 0;
  st_.openingUsed.fill(0);
  st_.computerHunting = 0;
  st_.huntStep = 0;
  st_.strikePick = 0;
  st_.strikeUsed.fill(0);
  st_.ownMood = MoodNormal;
  st_.opponentMood = MoodNormal;
  st_.huntColumn = 0;
  st_.huntRow = 0;
  st_.huntOriginColumn = 0;
  st_.huntOriginRow = 0;
  st_.opponentPiecesLeft = 5;
  st_.ownPiecesLeft = 5;
  st_.gameOver = 0;
  st_.gamePhase = 0;

  for (int k = 1; k <= kFieldSize * kFieldSize; ++k)
    CopyTile(k, BlankTile.x, BlankTile.y);
  RepaintAllCells();

  // A network match leaves opponentBoard empty for the peer's deployment.
  if (!st_.InMatch())
    PlaceComputerLayout();
}

void MarvokGame::PlaceComputerLayout() {
  // One level item is checked, so one number is drawn per computer game.
  for (std::size_t level = 0; level < kLevelItems.size(); ++level) {
    if (!ui_.Checked(kLevelItems[level]))
      continue;
    st_.computerLayout = random_.Choice(5);
    for (const Cell &cell : kComputerLayouts[level][static_cast<std::size_t>(st_.computerLayout - 1)])
      st_.opponentBoard.At(cell.row, cell.column) = Piece;
  }
}

void MarvokGame::N_MenLevel1Click() {
  ui_.SetChecked(MenuItem::N_MenLevel1, true);
  ui_.SetChecked(MenuItem::N_MenLevel2, false);
  ui_.SetChecked(MenuItem::N_MenLevel3, false);
  N_MenNew1Click();
}

void MarvokGame::N_MenLevel2Click() {
  ui_.SetChecked(MenuItem::N_MenLevel1, false);
  ui_.SetChecked(MenuItem::N_MenLevel2, true);
  ui_.SetChecked(MenuItem::N_MenLevel3, false);
  N_MenNew1Click();
}

void MarvokGame::N_MenLevel3Click() {
  ui_.SetChecked(MenuItem::N_MenLevel1, false);
  ui_.SetChecked(MenuItem::N_MenLevel2, false);
  ui_.SetChecked(MenuItem::N_MenLevel3, true);
  N_MenNew1Click();
}

void MarvokGame::N_ImaMessage1Click() {
  // In a network match the rematch goes through the match protocol instead.
  if (st_.InMatch())
    return;
  N_MenNew1Click();
  ui_.SetCaption(Label::N_LabMessage1, "自軍Marvokの配置場所を指定してください。");
}

} // namespace game
