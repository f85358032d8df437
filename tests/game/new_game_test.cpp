#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "tests/support/PlayerSideHarness.h"
#include "tests/support/RuleTables.h"

using namespace game;
using gametest::PlayerSide;

namespace {

using ruletables::BoardOf;
using ruletables::kLayouts;

// The fields a new game leaves as they were.
auto Kept(const GameState &s) {
  return std::tie(s.bgmPathPrefixed, s.dangerFrame, s.ownFaceTick, s.opponentFaceTick, s.ownPiecePositions,
                  s.rxColumnText, s.rxRowText, s.netOpponentPortrait, s.ownWipeLine, s.moveTextToggle,
                  s.rxMoveColumnText, s.rxMoveRowText, s.fullScreen, s.ownWins, s.opponentWins,
                  s.netRoleIsClient, s.netGameActive, s.opponentWipeLine, s.opponentPortraitStage,
                  s.netDisconnected, s.menuRestorePending);
}

} // namespace

TEST(Random, CheckVector) {
  Random random;
  random.Seed(1);
  for (int expected : {346, 130, 10982, 1090, 11656, 7117})
    EXPECT_EQ(random.Next(), expected);
}

TEST(NewGame, ResetsTheGameAndKeepsWhatItMustKeep) {
  PlayerSide side;
  GameState &st = side.st;
  // Unusual values everywhere.
  // clang-format off
  st.selectedColumn = 7, st.turnTick = 3, st.searchResult = Hit, st.bgmPathPrefixed = 1, st.turnCountdown = -4;
  st.dangerFrame = 13, st.computerPick = 9, st.computerHunting = 1, st.huntStep = 2, st.strikePick = 4;
  st.ownFaceTick = 17, st.ownMood = 2, st.opponentFaceTick = 19, st.opponentMood = 1, st.rxColumnText = "4";
  st.rxRowText = "9", st.huntColumn = 7, st.huntRow = 6, st.huntOriginColumn = 9, st.huntOriginRow = 8;
  st.opponentPiecesLeft = 2, st.ownPiecesLeft = 1, st.netOpponentPortrait = 1, st.ownWipeLine = 33;
  st.gameOver = 1, st.moveTextToggle = 1, st.echoSkipToggle = 1, st.guestFirstTurnDone = 1;
  st.rxMoveColumnText = "0", st.rxMoveRowText = "10", st.fullScreen = 1, st.ownWins = 5, st.opponentWins = 6;
  st.netRoleIsClient = 1, st.netReceiveState = 11, st.gamePhase = Waiting, st.opponentWipeLine = 21;
  st.opponentPortraitStage = 2, st.netDisconnected = 1, st.menuRestorePending = 1;
  st.ownBoard.At(3, 3) = Piece, st.opponentBoard.At(4, 4) = Destroyed, st.opponentMarks.At(5, 5) = NothingMark;
  st.openingUsed.fill(1), st.strikeUsed.fill(1), st.ownPiecePositions[3] = {8, 2};
  // clang-format on
  const GameState before = st;
  auto &ui = side.ui;
  for (Timer t : {Timer::N_TimTurn1, Timer::N_TimTurn2, Timer::N_TimTimer1, Timer::N_TimEffect1,
                  Timer::N_TimFace1, Timer::N_TimEffect2, Timer::N_TimEffect3})
    ui.SetEnabled(t, true);
  ui.SetVisible(Picture::N_ImaLife1, false), ui.SetWidth(Picture::N_ImaLife2, 36);
  ui.SetVisible(Picture::N_ImaMessage1, true), ui.SetVisible(Label::N_LabMessage2, true);
  ui.SetCaption(Label::N_LabMessage1, "がーん負けちゃったっスよ！"), ui.SetCaption(Label::N_LabTimer1, "57");
  ui.failingPaths.insert("/data/Cast1.bmp"); // reported, and the reset still finishes

  side.game.N_MenNew1Click();

  EXPECT_EQ(st.selectedColumn, 0);
  EXPECT_EQ(st.turnTick, 0);
  EXPECT_EQ(st.searchResult, Nothing);
  EXPECT_EQ(st.turnCountdown, 200);
  EXPECT_EQ(st.ownBoard, Board());
  EXPECT_EQ(st.opponentMarks, Board());
  EXPECT_EQ(st.opponentBoard, BoardOf(kLayouts[0][1])); // seed 1 draws 346: layout 2
  EXPECT_EQ(st.computerLayout, 2);
  for (std::size_t i = 1; i < st.openingUsed.size(); ++i)
    EXPECT_EQ(st.openingUsed[i], 0);
  for (std::size_t i = 1; i < st.strikeUsed.size(); ++i)
    EXPECT_EQ(st.strikeUsed[i], 0);
  EXPECT_EQ(st.computerPick + st.strikePick + st.computerHunting + st.huntStep + st.huntRow + st.huntColumn +
                st.huntOriginRow + st.huntOriginColumn + st.ownMood + st.opponentMood + st.gameOver +
                st.gamePhase + st.netReceiveState + st.echoSkipToggle + st.guestFirstTurnDone,
            0);
  EXPECT_EQ(st.opponentPiecesLeft, 5);
  EXPECT_EQ(st.ownPiecesLeft, 5);

  EXPECT_TRUE(Kept(st) == Kept(before)) << "a kept field changed";

  for (Timer t : {Timer::N_TimTurn1, Timer::N_TimTimer1, Timer::N_TimEffect1})
    EXPECT_FALSE(ui.Enabled(t));
  for (Timer t : {Timer::N_TimTurn2, Timer::N_TimFace1, Timer::N_TimEffect2, Timer::N_TimEffect3})
    EXPECT_TRUE(ui.Enabled(t));
  EXPECT_TRUE(ui.Visible(Picture::N_ImaLife1) && ui.Visible(Picture::N_ImaLife2));
  EXPECT_EQ(ui.Width(Picture::N_ImaLife1), 164);
  EXPECT_EQ(ui.Width(Picture::N_ImaLife2), 164);
  EXPECT_FALSE(ui.Visible(Picture::N_ImaMessage1));
  EXPECT_FALSE(ui.Visible(Label::N_LabMessage2));
  EXPECT_EQ(ui.Caption(Label::N_LabMessage1), "がーん負けちゃったっスよ！");
  EXPECT_EQ(ui.Caption(Label::N_LabTimer1), "57");
  EXPECT_EQ(ui.errors.size(), 1u);
  for (int k = 1; k <= 100; ++k) {
    EXPECT_EQ(ui.TileAt(k), ruletables::kBlank);
    EXPECT_EQ(ui.refreshes[CellPicture(k)], 1);
  }

  side.game.N_MenNew1Click(); // the missing picture is not reported again
  EXPECT_EQ(ui.errors.size(), 1u);
}

TEST(NewGame, LevelsCountdownsAndTheComputersLayouts) {
  // Every layout of every level shows up over seeded games, one draw each.
  for (int level = 1; level <= 3; ++level) {
    std::set<int> seen;
    for (std::uint32_t seed = 1; seed < 200 && seen.size() < 5; ++seed) {
      PlayerSide side;
      side.random.Seed(seed);
      level == 1   ? side.game.N_MenLevel1Click()
      : level == 2 ? side.game.N_MenLevel2Click()
                   : side.game.N_MenLevel3Click();
      Random expected;
      expected.Seed(seed);
      const int layout = expected.Choice(5);
      EXPECT_EQ(side.random.SeedValue(), expected.SeedValue()) << "one draw per game";
      EXPECT_EQ(side.st.computerLayout, layout);
      EXPECT_EQ(side.st.opponentBoard, BoardOf(kLayouts[level - 1][layout - 1])) << level << "/" << layout;
      EXPECT_EQ(side.st.turnCountdown, level == 1 ? 200 : 100);
      seen.insert(layout);
    }
    EXPECT_EQ(seen.size(), 5u);
  }

  PlayerSide net;
  net.st.netGameActive = 1, net.st.computerLayout = 4;
  net.game.N_MenNew1Click();
  EXPECT_EQ(net.st.turnCountdown, 100);
  EXPECT_EQ(net.st.opponentBoard, Board());
  EXPECT_EQ(net.st.computerLayout, 4);
  EXPECT_EQ(net.random.SeedValue(), 1u) << "no draw in a network game";
}

// In a network game the game-over picture starts nothing. (The level items
// and the click against the computer: the window's menu and click tests.)
TEST(NewGame, TheGameOverClickInANetworkGameDoesNothing) {
  PlayerSide side;
  side.st.netGameActive = 1, side.st.gamePhase = Waiting;
  side.ui.SetCaption(Label::N_LabMessage1, "x");
  side.game.N_ImaMessage1Click();
  EXPECT_EQ(side.st.gamePhase, Waiting);
  EXPECT_EQ(side.ui.Caption(Label::N_LabMessage1), "x");
}
