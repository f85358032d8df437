// Resolution of an opponent's search of the player's field, the computer's or
// a network peer's: marks, sounds, the hunt state, the life bar, the portraits
// and the loss.
#include "game/FaceSheets.h"
#include "game/MarvokGame.h"
#include "game/SearchRule.h"
#include "platform/core/Bitmap.h"

namespace game {

void MarvokGame::OpponentSearch(int row, int column) {
  // A peer can name any cell; one off the field is not a search at all.
  if (!OnField(row, column))
    return;

  st_.searchResult = Nothing;
  st_.searchResult = EvaluateSearch(st_.ownBoard, row, column);
  ui_.SetCaption(Label::N_LabMessage1, "対戦相手のターンです。");

  // Picture loads report a missing file and go on, so the outcome always
  // completes on the boards and counters.
  switch (st_.searchResult) {
  case Nothing:
    for (const Cell &cell : SearchZone(row, column)) {
      LoadDataPicture(CellPicture(CellNumber(cell.row, cell.column)), "Mark05.bmp");
      st_.opponentMarks.At(cell.row, cell.column) = NothingMark;
    }
    break;
  case Reaction:
    ui_.PlaySound("wave18.wav");
    for (const Cell &cell : SearchZone(row, column)) {
      LoadDataPicture(CellPicture(CellNumber(cell.row, cell.column)), "Mark04.bmp");
      st_.opponentMarks.At(cell.row, cell.column) = ReactionMark;
    }
    st_.computerHunting = 1;
    st_.huntRow = row;
    st_.huntColumn = column;
    break;
  case Hit: OpponentHit(row, column); break;
  }
}

void MarvokGame::OpponentHit(int row, int column) {
  ui_.PlaySound("wave03.wav");
  st_.computerHunting = 0;
  st_.huntStep = 0;
  LoadDataPicture(CellPicture(CellNumber(row, column)), "Mark02.bmp");
  st_.ownBoard.At(row, column) = Destroyed;
  st_.ownPiecesLeft -= 1;

  switch (st_.ownPiecesLeft) {
  case 4:
  case 3: ui_.SetWidth(Picture::N_ImaLife1, LifeBarWidth(st_.ownPiecesLeft)); break;
  case 2:
    // The hurt face goes into the work picture only; the next wipe shows it.
    PasteFace(ui_, kPlayerFaces, kPlayerFaces.hurtB, Picture::N_ImaWork2);
    ui_.SetWidth(Picture::N_ImaLife1, LifeBarWidth(2));
    st_.ownMood = MoodHurt;
    break;
  case 1:
    ui_.SetWidth(Picture::N_ImaLife1, LifeBarWidth(1));
    ui_.SetEnabled(Timer::N_TimEffect1, true);
    break;
  case 0: OpponentLoss(); break;
  default: break;
  }
}

void MarvokGame::OpponentLoss() {
  ui_.SetVisible(Picture::N_ImaLife1, false);
  ui_.SetCaption(Label::N_LabMessage1, "がーん負けちゃったっスよ！");

  PasteFaceNow(ui_, kPlayerFaces, kPlayerFaces.beaten);
  st_.ownMood = MoodDecided;

  PasteFaceNow(ui_, kOpponentFaces, kOpponentFaces.decided);
  st_.opponentMood = MoodDecided;

  // Only network games are counted.
  if (st_.InMatch()) {
    st_.opponentWins += 1;
    ui_.SetCaption(Label::N_LabScore9, std::to_string(st_.opponentWins));
  }
  st_.gameOver = 1;
}

} // namespace game
