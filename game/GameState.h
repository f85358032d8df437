#pragma once
// The main window's whole game state, as a plain record. Every operation of
// the game works on it; the new game is its one reset.
#include <array>
#include <cstdint>
#include <string>

#include "game/Board.h"

namespace game {

enum SearchResult : std::int32_t { Nothing = 0, Reaction = 1, Hit = 2 };

// 0..4: own Marvok placed so far.
enum GamePhase : std::int32_t { SearchTurn = 5, Waiting = 6 };

enum NetReceiveState : std::int32_t { NetIdle = 0, NetExchangingMoves = 11 }; // 1..10: deployment texts

enum Mood : std::int32_t { MoodNormal = 0, MoodHurt = 1, MoodDecided = 2 };

struct PiecePosition {
  std::int32_t column = 0;
  std::int32_t row = 0;
  bool operator==(const PiecePosition &) const = default;
};

// Arrays indexed from 1 carry one unused slot at 0; the opening marks have room
// for every entry of the largest opening table (41), so no index leaves them.
inline constexpr int kOpeningEntries = 41;
inline constexpr int kStrikeEntries = 5;

struct GameState {
  std::int32_t selectedColumn = 0;
  std::int32_t turnTick = 0;
  Board ownBoard;
  Board opponentBoard;
  Board opponentMarks;
  std::int32_t searchResult = Nothing;
  std::uint8_t bgmPathPrefixed = 0;
  std::int32_t turnCountdown = 0;
  std::int32_t dangerFrame = 0;
  std::int32_t computerPick = 0;
  std::array<std::uint8_t, kOpeningEntries + 1> openingUsed{};
  std::uint8_t computerHunting = 0;
  std::int32_t huntStep = 0;
  std::int32_t strikePick = 0;
  std::array<std::uint8_t, kStrikeEntries + 1> strikeUsed{};
  std::int32_t ownFaceTick = 0;
  std::int32_t ownMood = MoodNormal;
  std::int32_t opponentFaceTick = 0;
  std::int32_t opponentMood = MoodNormal;
  std::array<PiecePosition, 5 + 1> ownPiecePositions{}; // [1..5]
  std::string rxColumnText;
  std::string rxRowText;
  std::int32_t huntColumn = 0;
  std::int32_t huntRow = 0;
  std::int32_t huntOriginColumn = 0;
  std::int32_t huntOriginRow = 0;
  std::int32_t computerLayout = 0;
  std::int32_t opponentPiecesLeft = 0;
  std::int32_t ownPiecesLeft = 0;
  std::uint8_t netOpponentPortrait = 0;
  std::int32_t ownWipeLine = 0;
  std::uint8_t gameOver = 0;
  std::uint8_t moveTextToggle = 0;
  std::uint8_t echoSkipToggle = 0;
  std::uint8_t guestFirstTurnDone = 0;
  std::string rxMoveColumnText;
  std::string rxMoveRowText;
  std::int32_t fullScreen = 0;
  std::int32_t ownWins = 0;
  std::int32_t opponentWins = 0;
  std::uint8_t netRoleIsClient = 0;
  std::int32_t netReceiveState = NetIdle;
  std::uint8_t netGameActive = 0;
  std::int32_t gamePhase = 0;
  std::int32_t opponentWipeLine = 0;
  std::int32_t opponentPortraitStage = 0; // FormCreate sets 100 (idle)
  std::uint8_t netDisconnected = 0;
  std::uint8_t menuRestorePending = 0;

  // The match fields as questions; they hold 0 or 1 only. The role stays set
  // after a match ends, and reads "host" before any match: ask InMatch() too
  // where only a match running now counts.
  bool InMatch() const { return netGameActive != 0; }
  bool IsHost() const { return netRoleIsClient == 0; }
  bool IsGuest() const { return netRoleIsClient != 0; }
};

} // namespace game
