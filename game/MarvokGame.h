#pragma once
// The game's operations on the main window's state: new game and levels, the
// player's move, the opponent's search and the computer's choice, the turn
// hand-over and countdown, board views, portraits and the danger indicator.
// They drive the window only through MainWindowOps.
#include <functional>
#include <set>
#include <string>

#include "game/GameState.h"
#include "game/MainWindowOps.h"
#include "game/MatchMessages.h"
#include "game/Random.h"

namespace game {

class MarvokGame {
public:
  MarvokGame(GameState &state, MainWindowOps &window, Random &random)
      : st_(state), ui_(window), random_(random) {}

  // New game and levels.
  void N_MenNew1Click();
  void N_MenLevel1Click();
  void N_MenLevel2Click();
  void N_MenLevel3Click();
  void N_ImaMessage1Click();

  // Cell pictures: press and hover on picture k (cell (r,c), k = 10(r-1)+c).
  void CellMouseDown(int k);
  void CellMouseMove(int k);

  // The player's action on a cell; the column is also in selectedColumn.
  void PlayerMove(int row, int column);
  // Resolution of an opponent's search (the computer's or a peer's) of the player's field.
  void OpponentSearch(int row, int column);
  // The computer's turn: opponent view, choice, resolution.
  void ComputerTurn();

  // Timers. TimerFired runs the handler of whichever game timer fired; the
  // window's own timers (start-up, splash closing) are left to the window.
  void TimerFired(Timer timer);
  void N_TimTurn1Timer();
  void N_TimTurn2Timer();
  void N_TimTimer1Timer();
  void N_TimFace1Timer();
  void N_TimFace2Timer();
  void N_TimEffect1Timer();
  void N_TimEffect2Timer();
  void N_TimEffect3Timer();

  // Board views.
  void DrawPlayerView();
  void DrawOpponentView();
  void RepaintAllCells();

  // The countdown start value for the checked level (and a network match).
  int CountdownStartValue() const;

  // Sends a match message, each text with its terminating NUL as one packet;
  // a failing send throws and ends the message there.
  void SendTexts(const MatchMessage &message);

  GameState &State() { return st_; }

  // Loads dataFolder + file into a picture. A failure is reported once per file
  // and the picture keeps what it had; returns whether it loaded.
  bool LoadDataPicture(Picture picture, const std::string &file);

  // Runs at the end of a network hand-over's first tick, once the turn waits
  // for the peer's move: the match applies a move that arrived too early.
  void SetAwaitingPeerHook(std::function<void()> hook) { awaitingPeerHook_ = std::move(hook); }

private:
  // Helpers of new game, cells, deployment, the player's search and the views.
  void DeployPiece(int row, int column);
  void PlayerSearch(int row, int column);
  void PlayerHit(int row, int column);
  void PlayerWins();
  void PlaceComputerLayout();
  // Copies the 20 x 21 tile at (tileX, tileY) of the tile sheet onto cell picture k.
  void CopyTile(int k, int tileX, int tileY);
  // Sends a match message. A failing send is reported once and ends the
  // message, so the move that sends it still completes.
  void SendTextsReporting(const MatchMessage &message);
  // (end of those helpers)

  // Helpers of the opponent's search, the computer, hand-over and portraits.
  void OpponentHit(int row, int column);
  void OpponentLoss();
  void ChooseComputerSearchLevel1();
  void ChooseComputerSearchLevel2();
  void TakeOpeningEntry(bool levelOne);
  void ComputerSearchRightOfReaction();
  void ComputerSearchLeftOfReaction();
  void ComputerStrikeKnownPiece();
  void OpenSearchTurn(Timer handingOver);
  void EndOpponentWipe();
  bool HostAwaitingGuest() const;
  // (end of those helpers)

  GameState &st_;
  MainWindowOps &ui_;
  Random &random_;
  std::set<std::string> reportedFiles_;
  std::function<void()> awaitingPeerHook_;
};

} // namespace game
