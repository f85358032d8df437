// The match protocol receiver, the same on both sides: the keywords, the
// peer's ten deployment texts, the move pairs with the echo rule, the peer's
// search and the rematch. It reads back the messages game/MatchMessages.h
// builds; each step below names the builder it mirrors.
#include <tuple>

#include "game/MatchKeywords.h"
#include "network/MatchTexts.h"
#include "network/NetworkMatch.h"

namespace network {

using game::Label;
using game::Timer;

namespace {
constexpr int kLastDeploymentText = 10;
} // namespace

void NetworkMatch::N_PacketClientSocket1PacketArrived(const void *data, int size) {
  // Texts still buffered after the match ended belong to no game.
  if (!st_.InMatch())
    return;
  const std::string text = PacketText(data, size);
  const bool guest = st_.IsGuest();
  if (text == game::kDisconnectText) { // DisconnectMessage
    DisconnectSteps();
  } else if (text == game::kRematchText) { // RematchMessage
    RematchSteps();
  } else if (text == game::kGuestDeployingText) { // GuestDeployingMessage
    if (!guest)
      st_.netReceiveState = 1;
  } else if (text == game::kHostMovingText) { // the host's MoveMessage and PassMessage
    if (guest)
      st_.netReceiveState = game::NetExchangingMoves;
  } else if (st_.netReceiveState >= 1 && st_.netReceiveState <= kLastDeploymentText) {
    ReceiveDeploymentText(text);
  } else if (st_.netReceiveState == game::NetExchangingMoves) {
    ReceiveMoveText(text);
  }
  // State 0 (and anything else) ignores the text.
}

// The ten texts of the peer's DeploymentMessage.
void NetworkMatch::ReceiveDeploymentText(const std::string &text) {
  // Odd states: a column is due; even: its row, which completes the pair.
  if (st_.netReceiveState % 2 == 1) {
    st_.rxColumnText = text;
    st_.netReceiveState += 1;
    return;
  }
  st_.rxRowText = text;
  if (st_.netReceiveState < kLastDeploymentText)
    st_.netReceiveState += 1;
  // A pair that names no cell places nothing; the count goes on regardless.
  const auto column = FieldNumber(st_.rxColumnText);
  const auto row = FieldNumber(st_.rxRowText);
  if (column && row)
    st_.opponentBoard.At(*row, *column) = game::Piece;
  if (st_.netReceiveState < kLastDeploymentText)
    return;

  if (st_.IsGuest()) {
    // The host's deployment is in: the guest deploys now.
    ui_.SetCaption(Label::N_LabMessage1, "自軍Marvokを配置してください。");
    st_.gamePhase = 0;
    st_.netReceiveState = game::NetIdle;
  } else {
    // The guest's deployment is in: the host's first search turn opens, with
    // the countdown the new game set.
    ui_.SetCaption(Label::N_LabMessage1, "ゲーム開始。");
    st_.gamePhase = game::SearchTurn;
    ui_.SetEnabled(Timer::N_TimTimer1, true);
    st_.netReceiveState = game::NetExchangingMoves;
  }
}

// The column and row of a MoveMessage or PassMessage, either side's.
void NetworkMatch::ReceiveMoveText(const std::string &text) {
  if (st_.moveTextToggle == 0) {
    st_.rxMoveColumnText = text;
    st_.moveTextToggle = 1;
    return;
  }
  st_.rxMoveRowText = text;
  st_.moveTextToggle = 0;
  MovePairComplete();
}

void NetworkMatch::MovePairComplete() {
  // The host makes the first search of every game and the sides alternate, so
  // both see the pairs in one order: the host's first, the guest's second...
  // The flag, cleared by every new game, counts them.
  const bool host = st_.IsHost();
  const bool own = host ? st_.echoSkipToggle == 0 : st_.echoSkipToggle == 1;
  st_.echoSkipToggle = st_.echoSkipToggle == 0 ? 1 : 0;
  if (own)
    return;

  // This side's own hand-over has not reached its first tick: switching its
  // timer on now would change nothing, and the first tick would then stop it
  // for good. The pair waits for that tick.
  if (ui_.Enabled(Timer::N_TimTurn1) && st_.turnTick == 0) {
    earlyPair_.emplace(st_.rxMoveColumnText, st_.rxMoveRowText);
    return;
  }
  ApplyPeerSearchMove();
}

void NetworkMatch::AwaitingPeerMove() {
  if (!earlyPair_ || !st_.InMatch())
    return;
  std::tie(st_.rxMoveColumnText, st_.rxMoveRowText) = *earlyPair_;
  earlyPair_.reset();
  ApplyPeerSearchMove();
}

void NetworkMatch::ApplyPeerSearchMove() {
  // "0", "0" is the PassMessage; a pair that names no cell counts as one.
  const auto column = FieldNumber(st_.rxMoveColumnText);
  const auto row = FieldNumber(st_.rxMoveRowText);
  if (column && row) {
    st_.selectedColumn = *column;
    game_.OpponentSearch(*row, *column);
  }

  // The turn comes back: the guest's first one of the game a second later,
  // every other one two seconds later (or the loser's rematch question).
  if (st_.IsGuest() && st_.guestFirstTurnDone == 0) {
    ui_.SetEnabled(Timer::N_TimTurn2, true);
    st_.guestFirstTurnDone = 1;
  } else {
    ui_.SetEnabled(Timer::N_TimTurn1, true);
  }
}

void NetworkMatch::RematchSteps() {
  game_.N_MenNew1Click();
  earlyPair_.reset();
  if (st_.IsHost()) {
    // The host deploys first, whoever lost.
    ui_.SetEnabled(Timer::N_TimEffect2, true);
    ui_.SetCaption(Label::N_LabMessage1, "再戦します。\n自軍Marvokを配置してください。");
    st_.netReceiveState = game::NetIdle;
    st_.gamePhase = 0;
  } else {
    ui_.SetCaption(Label::N_LabMessage1, "対戦相手がMarvokを配置しています・・・・。");
    st_.gamePhase = game::Waiting;
    st_.netReceiveState = 1;
  }
}

} // namespace network
