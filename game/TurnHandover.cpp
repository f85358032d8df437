// The turn hand-over after each search, the guest's first turn and the search
// countdown.
#include "game/MarvokGame.h"
#include "platform/core/MessageBox.h"

namespace game {

void MarvokGame::N_TimTurn1Timer() {
  st_.turnTick += 1;
  bool awaitingPeer = false;

  // Each test reads turnTick and gameOver afresh: a game ended by the
  // computer's search in the first test is seen by the second in this tick.
  if (st_.turnTick == 1 && st_.gameOver == 0) {
    if (st_.InMatch()) {
      // The peer's move, when it arrives, switches this timer on again.
      DrawOpponentView();
      ui_.SetCaption(Label::N_LabMessage1, "対戦相手のターンです。");
      ui_.SetEnabled(Timer::N_TimTurn1, false);
      awaitingPeer = true;
    } else {
      ComputerTurn();
    }
    ui_.SetEnabled(Timer::N_TimTimer1, false);
  }
  if (st_.turnTick == 1 && st_.gameOver == 1) {
    ui_.SetEnabled(Timer::N_TimTurn1, false);
    if (st_.ownPiecesLeft == 0)
      ui_.SetVisible(Picture::N_ImaMessage1, true);
  }
  if (st_.turnTick == 3 && st_.gameOver == 0)
    OpenSearchTurn(Timer::N_TimTurn1);
  if (st_.turnTick == 3 && st_.gameOver == 1) {
    // The player lost to the peer's last search. turnTick stays 3 until the
    // next game.
    ui_.SetEnabled(Timer::N_TimTurn1, false);
    ui_.SetVisible(Picture::N_ImaMessage1, true);
    const int answer =
        ui_.MessageBox("再戦しますか？", "確認", platform::MB_YESNO | platform::MB_ICONQUESTION);
    // The question waits for the user while the match goes on; one that has
    // ended meanwhile gets no rematch.
    if (answer == platform::IDYES && st_.InMatch())
      SendTextsReporting(RematchMessage());
  }
  // Last, so that a peer's move applied here, even a winning one, is judged
  // by the next ticks as one that arrived after this tick.
  if (awaitingPeer && awaitingPeerHook_)
    awaitingPeerHook_();
}

void MarvokGame::N_TimTurn2Timer() { OpenSearchTurn(Timer::N_TimTurn2); }

void MarvokGame::OpenSearchTurn(Timer handingOver) {
  st_.turnTick = 0;
  st_.turnCountdown = CountdownStartValue();
  DrawPlayerView();
  ui_.SetEnabled(handingOver, false);
  ui_.SetEnabled(Timer::N_TimTimer1, true);
  st_.gamePhase = SearchTurn;
  ui_.SetCaption(Label::N_LabMessage1, "検索ポイントを指定してください！");
}

void MarvokGame::N_TimTimer1Timer() {
  st_.turnCountdown -= 1;
  if (st_.turnCountdown >= 0) {
    ui_.SetCaption(Label::N_LabTimer1, std::to_string(st_.turnCountdown));
    return;
  }
  // Time is up: the turn passes without a search.
  st_.gamePhase = Waiting;
  // Hand over before sending: a send that fails must not leave this timer
  // running, where it would fail again every tenth of a second. A failed send
  // is reported once.
  ui_.SetEnabled(Timer::N_TimTimer1, false);
  ui_.SetEnabled(Timer::N_TimTurn1, true);
  if (st_.InMatch())
    SendTextsReporting(PassMessage(st_.IsHost()));
}

} // namespace game
