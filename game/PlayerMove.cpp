// The player's action on a cell, and its first branch: deploying the five own
// Marvok.

#include "game/MarvokGame.h"
#include "game/Tiles.h"

namespace game {

namespace {

// The first Marvok's message differs by row; rows 1 and 3 have their own.
const char *FirstPieceMessage(int row) {
  switch (row) {
  case 1: return "配意しました・・・残り四個です。";
  case 3: return "えいっと・・・置いたよ、あと四つだね。";
  default: return "配置しました・・・残り四個です。";
  }
}

} // namespace

void MarvokGame::PlayerMove(int row, int column) {
  // Only the field's cells exist: anything else is dropped before it can index
  // a board or name a picture.
  if (!OnField(row, column))
    return;
  if (st_.gamePhase == Waiting)
    return;
  ui_.SetEnabled(Timer::N_TimTimer1, false);
  if (st_.gamePhase == SearchTurn)
    PlayerSearch(row, column);
  else if (st_.gamePhase >= 0 && st_.gamePhase <= 4)
    DeployPiece(row, column);
}

void MarvokGame::DeployPiece(int row, int column) {
  if (st_.ownBoard.At(row, column) == Piece) {
    ui_.SetCaption(Label::N_LabMessage1, "同じ位置に設置することはできません。");
    return;
  }

  CopyTile(CellNumber(row, column), OwnPieceTile.x, OwnPieceTile.y);
  RepaintAllCells();

  const PiecePosition placed{column, row};
  auto &positions = st_.ownPiecePositions;
  switch (st_.gamePhase) {
  case 0:
    ui_.SetCaption(Label::N_LabMessage1, FirstPieceMessage(row));
    st_.gamePhase = 1;
    positions[1] = placed;
    break;
  case 1:
    ui_.SetCaption(Label::N_LabMessage1, "配置しました・・・残り三個です。");
    st_.gamePhase = 2;
    if (st_.InMatch() && st_.IsGuest())
      SendTextsReporting(GuestDeployingMessage());
    positions[2] = placed;
    break;
  case 2:
    ui_.SetCaption(Label::N_LabMessage1, "配置しました・・・残り二個です。");
    st_.gamePhase = 3;
    positions[3] = placed;
    break;
  case 3:
    ui_.SetCaption(Label::N_LabMessage1, "配置しました・・・残り一個です。");
    st_.gamePhase = 4;
    positions[4] = placed;
    break;
  case 4:
    positions[5] = placed;
    if (!st_.InMatch()) {
      ui_.SetCaption(Label::N_LabMessage1, "準備OK！検索ポイントを指定してください！");
      st_.gamePhase = SearchTurn;
      ui_.SetEnabled(Timer::N_TimTimer1, true); // counts down from the new game's turnCountdown
      break;
    }
    // Both roles send their deployment.
    SendTextsReporting(DeploymentMessage(positions));
    if (st_.IsGuest()) {
      DrawOpponentView();
      ui_.SetCaption(Label::N_LabMessage1, "ゲーム開始\n対戦相手のターンです。");
    } else {
      ui_.SetCaption(Label::N_LabMessage1, "対戦相手がMarvokを配置しています・・・・。");
    }
    st_.gamePhase = Waiting;
    break;
  default: break;
  }

  st_.ownBoard.At(row, column) = Piece;
}

} // namespace game
