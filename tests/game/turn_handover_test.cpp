#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/OpponentSideHarness.h"
#include "tests/support/RuleTables.h"

using namespace game;
using namespace gametest;

namespace {

using Texts = std::vector<std::string>;
const std::string kNul(1, '\0');

struct TurnHandoverTest : ::testing::Test {
  PlayerSide side;
  GameState &st = side.st;
  FakeMainWindow &ui = side.ui;
  MarvokGame &game = side.game;

  void Deploy() { side.Deploy({{2, 2}, {2, 5}, {5, 5}, {8, 3}, {9, 9}}); }
  void JoinMatch(bool guest) {
    st.netGameActive = 1, st.netRoleIsClient = guest;
    game.N_MenNew1Click();
  }
  int RunOutTheClock() {
    ui.SetEnabled(Timer::N_TimTimer1, true);
    int ticks = 0;
    for (; ticks < 1000 && ui.Enabled(Timer::N_TimTimer1); ++ticks)
      game.N_TimTimer1Timer();
    return ticks;
  }
  void Tick() {
    ui.SetEnabled(Timer::N_TimTurn1, true);
    game.N_TimTurn1Timer();
  }
};

TEST_F(TurnHandoverTest, CountdownTimesOutOnTick201Or101AndPassesTheTurn) {
  Deploy();
  for (int i = 0; i < 200; ++i)
    game.N_TimTimer1Timer();
  EXPECT_EQ(ui.Caption(Label::N_LabTimer1), "0");
  EXPECT_EQ(RunOutTheClock(), 1);
  EXPECT_EQ(ui.Caption(Label::N_LabTimer1), "0");
  EXPECT_EQ(st.gamePhase, Waiting);
  EXPECT_TRUE(ui.Enabled(Timer::N_TimTurn1));
  EXPECT_TRUE(ui.packets.empty());

  game.N_MenLevel3Click();
  EXPECT_EQ(RunOutTheClock(), 101);
  game.N_MenLevel1Click();
  JoinMatch(false);
  EXPECT_EQ(RunOutTheClock(), 101);
  EXPECT_EQ(ui.packets, (Texts{"Condit11" + kNul, "0" + kNul, "0" + kNul}));
  ui.packets.clear();
  st.netRoleIsClient = 1;
  RunOutTheClock();
  EXPECT_EQ(ui.packets, (Texts{"0" + kNul, "0" + kNul}));

  // A broken connection: reported once, and the turn still passes.
  ui.failSends = true;
  RunOutTheClock();
  EXPECT_TRUE(ui.Enabled(Timer::N_TimTurn1));
  EXPECT_EQ(ui.errors.size(), 1u);
}

TEST_F(TurnHandoverTest, AgainstTheComputerTickOneSearchesAndTickThreeOpensTheTurn) {
  Deploy();
  RunOutTheClock();
  ui.SetCaption(Label::N_LabTimer1, "42");
  const std::size_t before = ui.loads.size();
  game.N_TimTurn1Timer();
  EXPECT_GT(ui.loads.size(), before); // the computer searched
  EXPECT_EQ(ui.Caption(Label::N_LabMessage1), "対戦相手のターンです。");
  EXPECT_TRUE(ui.Enabled(Timer::N_TimTurn1));
  game.N_TimTurn1Timer();
  EXPECT_EQ(st.turnTick, 2);
  st.turnCountdown = 7;
  game.N_TimTurn1Timer();
  EXPECT_EQ((std::vector<int>{st.turnTick, st.turnCountdown, st.gamePhase}), (std::vector<int>{0, 200, 5}));
  EXPECT_FALSE(ui.Enabled(Timer::N_TimTurn1));
  EXPECT_TRUE(ui.Enabled(Timer::N_TimTimer1));
  EXPECT_EQ(ui.Caption(Label::N_LabMessage1), "検索ポイントを指定してください！");
  EXPECT_EQ(ui.Caption(Label::N_LabTimer1), "42"); // not written when a turn opens
  EXPECT_EQ(ui.TileAt(CellNumber(2, 5)), ruletables::kOwnPiece);

  st.gameOver = 1; // the player's winning search: no picture, no computer turn
  ui.loads.clear();
  Tick();
  EXPECT_FALSE(ui.Enabled(Timer::N_TimTurn1));
  EXPECT_FALSE(ui.Visible(Picture::N_ImaMessage1));
  EXPECT_TRUE(ui.loads.empty());

  // The computer's strike at the last Marvok ends the game in the same tick.
  Deploy();
  st.ownPiecesLeft = 1, st.strikeUsed = {0, 1, 1, 1, 1, 0}, st.computerHunting = 1, st.huntStep = 2;
  Tick();
  EXPECT_EQ(st.gameOver, 1);
  EXPECT_FALSE(ui.Enabled(Timer::N_TimTurn1));
  EXPECT_TRUE(ui.Visible(Picture::N_ImaMessage1));
}

TEST_F(TurnHandoverTest, NetworkTurnsWaitForThePeerAndTheLoserIsAskedForARematch) {
  JoinMatch(true);
  Tick();
  EXPECT_FALSE(ui.Enabled(Timer::N_TimTurn1));
  EXPECT_EQ(ui.Caption(Label::N_LabMessage1), "対戦相手のターンです。");
  EXPECT_EQ(st.opponentMarks, Board{});

  ui.SetEnabled(Timer::N_TimTurn2, true); // the guest's first turn
  game.N_TimTurn2Timer();
  EXPECT_EQ((std::vector<int>{st.turnTick, st.turnCountdown, st.gamePhase}), (std::vector<int>{0, 100, 5}));
  EXPECT_FALSE(ui.Enabled(Timer::N_TimTurn2));
  EXPECT_TRUE(ui.Enabled(Timer::N_TimTimer1));

  st.gameOver = 1, st.ownPiecesLeft = 0;
  for (int answer : {platform::IDNO, platform::IDYES}) {
    st.turnTick = 2;
    ui.answers = {answer};
    Tick();
    EXPECT_EQ(st.turnTick, 3);
    EXPECT_TRUE(ui.Visible(Picture::N_ImaMessage1));
  }
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[0].text, "再戦しますか？");
  EXPECT_EQ(ui.boxes[0].caption, "確認");
  EXPECT_EQ(ui.boxes[0].flags, platform::MB_YESNO | platform::MB_ICONQUESTION);
  EXPECT_EQ(ui.packets, Texts{"New" + kNul});
}

} // namespace
