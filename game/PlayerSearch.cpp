// The player's search of the opponent's field and its outcome: marks, sound,
// message, the opponent's life bar and portrait, and the win.
#include <string>

#include "game/FaceSheets.h"
#include "game/MarvokGame.h"
#include "game/SearchRule.h"
#include "platform/core/Bitmap.h"

namespace game {

void MarvokGame::PlayerSearch(int row, int column) {
  st_.searchResult = Nothing;
  st_.gamePhase = Waiting;

  // The peer learns only the cell, before it is judged here.
  if (st_.InMatch())
    SendTextsReporting(MoveMessage(st_.IsHost(), row, column));

  st_.searchResult = EvaluateSearch(st_.opponentBoard, row, column);

  // Marks every zone cell but the player's own live Marvok. A picture that will
  // not load is reported once; the board is marked all the same.
  auto markZone = [&](const std::string &file, CellCode mark) {
    for (const Cell &cell : SearchZone(row, column)) {
      CellCode &value = st_.ownBoard.At(cell.row, cell.column);
      if (value == Piece)
        continue;
      LoadDataPicture(CellPicture(CellNumber(cell.row, cell.column)), file);
      value = mark;
    }
  };

  if (st_.searchResult == Nothing) {
    markZone("Mark03.bmp", NothingMark);
    ui_.SetCaption(Label::N_LabMessage1, "反応無しです・・・何もありません。");
  } else if (st_.searchResult == Reaction) {
    ui_.PlaySound("wave18.wav");
    markZone("Mark04.bmp", ReactionMark);
    ui_.SetCaption(Label::N_LabMessage1, "警告！敵Marvokの反応をキャッチ、近くにあります。");
  } else if (st_.searchResult == Hit) {
    PlayerHit(row, column);
  }

  ui_.SetEnabled(Timer::N_TimTurn1, true);
}

void MarvokGame::PlayerHit(int row, int column) {
  ui_.PlaySound("wave03.wav");
  // The own-piece tile stays where the player's own Marvok stands.
  if (st_.ownBoard.At(row, column) != Piece)
    LoadDataPicture(CellPicture(CellNumber(row, column)), "Mark02.bmp");
  st_.opponentBoard.At(row, column) = Destroyed;

  st_.opponentPiecesLeft -= 1;
  // The bar is 4 + 32 pixels per Marvok left.
  switch (st_.opponentPiecesLeft) {
  case 4: ui_.SetWidth(Picture::N_ImaLife2, LifeBarWidth(4)); break;
  case 3: ui_.SetWidth(Picture::N_ImaLife2, LifeBarWidth(3)); break;
  case 2:
    // The hurt face goes to the wipe source only; the wipe shows it later.
    PasteFace(ui_, kOpponentFaces, kOpponentFaces.hurtB, Picture::N_ImaWork1);
    st_.opponentMood = MoodHurt;
    ui_.SetWidth(Picture::N_ImaLife2, LifeBarWidth(2));
    break;
  case 1: ui_.SetWidth(Picture::N_ImaLife2, LifeBarWidth(1)); break;
  case 0:
    PasteFaceNow(ui_, kOpponentFaces, kOpponentFaces.beaten);
    st_.opponentMood = MoodDecided;
    ui_.SetVisible(Picture::N_ImaLife2, false);
    break;
  default: break;
  }

  if (st_.opponentPiecesLeft != 0)
    ui_.SetCaption(Label::N_LabMessage1, "敵のMarvokを破壊しました。");
  else
    PlayerWins();
}

void MarvokGame::PlayerWins() {
  ui_.SetCaption(Label::N_LabMessage1, "勝ちです♪やりました！");
  st_.gameOver = 1;
  PasteFaceNow(ui_, kPlayerFaces, kPlayerFaces.decided);
  st_.ownMood = MoodDecided;
  // Only network games are counted.
  if (st_.InMatch()) {
    st_.ownWins += 1;
    ui_.SetCaption(Label::N_LabScore1, std::to_string(st_.ownWins));
  }
  ui_.SetVisible(Label::N_LabMessage2, true);
}

} // namespace game
