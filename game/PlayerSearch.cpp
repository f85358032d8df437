// The player's search of the opponent's field and its outcome: marks, sound,
// message, the opponent's life bar and portrait, and the win.
#include <string>

#include "game/MarvokGame.h"
#include "game/SearchRule.h"
#include "platform/core/Bitmap.h"

namespace game {

namespace {

// Opponent face frames are 65 x 50, the player's 60 x 45.
constexpr int kOpponentFrameW = 65, kOpponentFrameH = 50;
constexpr int kOwnFrameW = 60, kOwnFrameH = 45;

void CopyFrame(MainWindowOps &ui, Picture sheet, int sx, int sy, int w, int h, Picture target, int dx,
               int dy) {
  platform::BitBlt(ui.Canvas(target), dx, dy, w, h, ui.Canvas(sheet), sx, sy);
}

} // namespace

void MarvokGame::PlayerSearch(int row, int column) {
  st_.searchResult = Nothing;
  st_.gamePhase = Waiting;

  // The peer learns only the cell, before it is judged here.
  if (st_.netGameActive == 1) {
    if (st_.netRoleIsClient == 0)
      SendTextsReporting({"Condit11", std::to_string(column), std::to_string(row)});
    else
      SendTextsReporting({std::to_string(column), std::to_string(row)});
  }

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
  case 4: ui_.SetWidth(Picture::N_ImaLife2, 132); break;
  case 3: ui_.SetWidth(Picture::N_ImaLife2, 100); break;
  case 2:
    // The hurt face goes to the wipe source only; the wipe shows it later.
    CopyFrame(ui_, Picture::N_ImaCast4, 130, 0, kOpponentFrameW, kOpponentFrameH, Picture::N_ImaWork1, 33,
              46);
    st_.opponentMood = MoodHurt;
    ui_.SetWidth(Picture::N_ImaLife2, 68);
    break;
  case 1: ui_.SetWidth(Picture::N_ImaLife2, 36); break;
  case 0:
    CopyFrame(ui_, Picture::N_ImaCast4, 130, 50, kOpponentFrameW, kOpponentFrameH, Picture::N_ImaWork1, 33,
              46);
    CopyFrame(ui_, Picture::N_ImaCast4, 130, 50, kOpponentFrameW, kOpponentFrameH, Picture::N_ImaFace2, 33,
              46);
    ui_.Refresh(Picture::N_ImaFace2);
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
  CopyFrame(ui_, Picture::N_ImaCast2, 60, 0, kOwnFrameW, kOwnFrameH, Picture::N_ImaWork2, 50, 45);
  CopyFrame(ui_, Picture::N_ImaCast2, 60, 0, kOwnFrameW, kOwnFrameH, Picture::N_ImaFace1, 50, 45);
  ui_.Refresh(Picture::N_ImaFace1);
  st_.ownMood = MoodDecided;
  // Only network games are counted.
  if (st_.netGameActive == 1) {
    st_.ownWins += 1;
    ui_.SetCaption(Label::N_LabScore1, std::to_string(st_.ownWins));
  }
  ui_.SetVisible(Label::N_LabMessage2, true);
}

} // namespace game
