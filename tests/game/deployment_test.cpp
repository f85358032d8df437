#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/PlayerSideHarness.h"
#include "tests/support/RuleTables.h"

using namespace game;
using gametest::PlayerSide;

namespace {

std::vector<std::string> Texts(std::initializer_list<const char *> texts) {
  std::vector<std::string> packets;
  for (const char *text : texts)
    packets.emplace_back(text, std::char_traits<char>::length(text) + 1); // with the NUL
  return packets;
}

} // namespace

TEST(Deployment, FiveMarvokAgainstTheComputer) {
  PlayerSide side;
  side.game.N_MenNew1Click();
  const Cell cells[] = {{1, 2}, {2, 1}, {10, 9}, {5, 5}, {5, 6}};
  const int expectedPhase[] = {1, 2, 3, 4, SearchTurn};
  for (int i = 0; i < 5; ++i) {
    side.Click(cells[i].row, cells[i].column);
    EXPECT_EQ(side.st.gamePhase, expectedPhase[i]);
    EXPECT_EQ(side.ui.TileAt(CellNumber(cells[i].row, cells[i].column)), ruletables::kOwnPiece);
    EXPECT_EQ(side.ui.refreshes[CellPicture(100)], 2 + i) << "each placement repaints the cells";
    EXPECT_EQ(side.ui.Enabled(Timer::N_TimTimer1), i == 4);
    if (i == 1) { // a placed cell is refused and costs nothing
      side.Click(1, 2);
      EXPECT_EQ(side.ui.messages.back(), "同じ位置に設置することはできません。");
      EXPECT_EQ(side.st.gamePhase, 2);
      EXPECT_EQ(side.ui.refreshes[CellPicture(100)], 3);
      side.ui.messages.pop_back();
    }
  }
  EXPECT_EQ(side.ui.messages,
            (std::vector<std::string>{"配意しました・・・残り四個です。", "配置しました・・・残り三個です。",
                                      "配置しました・・・残り二個です。", "配置しました・・・残り一個です。",
                                      "準備OK！検索ポイントを指定してください！"}));
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(side.st.ownPiecePositions[static_cast<std::size_t>(i + 1)],
              (PiecePosition{cells[i].column, cells[i].row}));
    EXPECT_EQ(side.st.ownBoard.At(cells[i].row, cells[i].column), Piece);
  }
  EXPECT_EQ(side.st.turnCountdown, 200) << "the countdown starts from the new game's value";
  EXPECT_TRUE(side.ui.packets.empty());

  // Rows 2 and 3 have their own first message.
  side.Deploy({{3, 4}});
  side.Deploy({{2, 4}});
  EXPECT_EQ(side.ui.messages[side.ui.messages.size() - 2], "えいっと・・・置いたよ、あと四つだね。");
  EXPECT_EQ(side.ui.messages.back(), "配置しました・・・残り四個です。");
}

TEST(Deployment, NetworkTextsAndRoles) {
  const char *deployment[] = {"3", "2", "5", "5", "10", "9", "2", "10", "7", "1"};
  for (int role = 0; role <= 1; ++role) {
    PlayerSide side;
    side.st.netGameActive = 1;
    side.st.netRoleIsClient = static_cast<std::uint8_t>(role);
    side.Deploy({{2, 3}, {5, 5}, {9, 10}, {10, 2}, {1, 7}});
    std::vector<std::string> expected = role ? Texts({"Condition"}) : std::vector<std::string>{};
    for (const char *text : deployment)
      expected.push_back(Texts({text})[0]);
    EXPECT_EQ(side.ui.packets, expected);
    EXPECT_EQ(side.st.gamePhase, Waiting);
    EXPECT_FALSE(side.ui.Enabled(Timer::N_TimTimer1));
    // The guest shows the opponent's (still blank) view, the host its deployment.
    EXPECT_EQ(side.ui.TileAt(CellNumber(5, 5)), role ? ruletables::kBlank : ruletables::kOwnPiece);
    EXPECT_EQ(side.ui.messages.back(),
              role ? "ゲーム開始\n対戦相手のターンです。" : "対戦相手がMarvokを配置しています・・・・。");
  }
}

TEST(Cells, PressHoverAndIgnoredMoves) {
  PlayerSide side;
  side.Deploy({{2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}});
  const Board own = side.st.ownBoard;
  const auto refreshes = side.ui.refreshes;
  const std::size_t messages = side.ui.messages.size(), loads = side.ui.loads.size();

  // Waiting: only selectedColumn changes, the countdown runs on.
  side.st.gamePhase = Waiting;
  side.Click(7, 9);
  EXPECT_EQ(side.st.selectedColumn, 9);
  EXPECT_EQ(side.st.gamePhase, Waiting);
  EXPECT_TRUE(side.ui.Enabled(Timer::N_TimTimer1));
  // Off the field nothing at all happens, in any phase.
  for (int phase : {0, int{SearchTurn}}) {
    side.st.gamePhase = phase;
    for (Cell off : {Cell{0, 5}, Cell{11, 5}, Cell{5, 0}, Cell{5, 11}})
      side.game.PlayerMove(off.row, off.column);
    side.game.CellMouseDown(0);
    side.game.CellMouseDown(101);
    EXPECT_EQ(side.st.gamePhase, phase);
  }
  EXPECT_TRUE(side.ui.Enabled(Timer::N_TimTimer1));
  EXPECT_EQ(side.st.ownBoard, own);
  EXPECT_EQ(side.ui.refreshes, refreshes);
  EXPECT_EQ(side.ui.messages.size(), messages);
  EXPECT_EQ(side.ui.loads.size(), loads);

  side.game.CellMouseMove(CellNumber(3, 7));
  EXPECT_EQ(side.ui.Caption(Label::N_LabScore8), "\nX-03 Y-07");
  side.game.CellMouseMove(CellNumber(10, 9));
  EXPECT_EQ(side.ui.Caption(Label::N_LabScore8), "\nX-10 Y-09");
  EXPECT_EQ(side.st.selectedColumn, 9);
}
