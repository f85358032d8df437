// The main menu as the user works it: each item is found by its caption in the
// menu bar and clicked with the mouse, and what the window then shows is
// compared with what the item is for; everything else must stay as it was.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "MainWindowRig.h"
#include "tests/support/StateColumns.h"

namespace {

using testcolumns::State;
using Cells = std::set<std::pair<int, int>>;

// The computer's five layouts per level, (row, column).
const std::pair<const char *, std::vector<Cells>> kLayouts[] = {
    {"初級",
     {{{1, 2}, {2, 5}, {4, 2}, {9, 8}, {10, 2}},
      {{1, 2}, {3, 3}, {5, 3}, {7, 8}, {10, 5}},
      {{2, 2}, {6, 5}, {6, 6}, {8, 3}, {9, 5}},
      {{3, 8}, {6, 5}, {7, 2}, {9, 8}, {10, 8}},
      {{2, 9}, {3, 2}, {4, 2}, {9, 3}, {9, 8}}}},
    {"中級",
     {{{1, 2}, {1, 3}, {1, 4}, {6, 8}, {8, 2}},
      {{5, 6}, {5, 7}, {5, 8}, {7, 8}, {10, 2}},
      {{3, 3}, {4, 3}, {5, 3}, {9, 8}, {9, 9}},
      {{6, 4}, {7, 4}, {8, 4}, {9, 4}, {10, 4}},
      {{2, 7}, {2, 8}, {2, 9}, {7, 2}, {7, 10}}}},
    {"上級",
     {{{1, 3}, {1, 4}, {3, 2}, {6, 9}, {8, 2}},
      {{5, 6}, {5, 9}, {7, 1}, {9, 7}, {10, 2}},
      {{3, 3}, {4, 3}, {5, 3}, {9, 1}, {9, 9}},
      {{6, 1}, {7, 4}, {8, 4}, {9, 9}, {10, 4}},
      {{1, 7}, {2, 1}, {2, 9}, {7, 2}, {7, 10}}}},
};

// Which level's layouts the computer's Marvok stand on.
std::string ComputerLevel(const game::Board &board) {
  Cells pieces;
  for (int r = 1; r <= 10; ++r)
    for (int c = 1; c <= 10; ++c)
      if (board.At(r, c) == game::Piece)
        pieces.insert({r, c});
  for (const auto &[level, layouts] : kLayouts)
    for (const Cells &layout : layouts)
      if (layout == pieces)
        return level;
  return pieces.empty() ? "none" : "other";
}

struct Row {
  const char *name;
  const char *top, *item;
  const char *fromLevel; // chosen before the player deploys a first Marvok
  std::string sets;      // what the item changes; all else stays
};
void PrintTo(const Row &row, std::ostream *out) { *out << row.name; }

const Row kRows[] = {
    {"Level1", "ｵﾌﾟｼｮﾝ(&O)", "初級", "中級", "level=初級 countdown=200 phase=0 computer=初級"},
    {"Level2", "ｵﾌﾟｼｮﾝ(&O)", "中級", "初級", "level=中級 countdown=100 phase=0 computer=中級"},
    {"Level3", "ｵﾌﾟｼｮﾝ(&O)", "上級", "初級", "level=上級 countdown=100 phase=0 computer=上級"},
    {"NewGameAtLevel1", "ｵﾌﾟｼｮﾝ(&O)", "ﾆｭｰｹﾞｰﾑ(&N)", "初級", "phase=0"},
    {"NewGameAtLevel3", "ｵﾌﾟｼｮﾝ(&O)", "ﾆｭｰｹﾞｰﾑ(&N)", "上級", "phase=0"},
    {"Network", "ｵﾌﾟｼｮﾝ(&O)", "ﾈｯﾄﾜｰｸ対戦", "初級", "network=shown"},
    {"FullScreen", "ｵﾌﾟｼｮﾝ(&O)", "ﾌﾙｽｸﾘｰﾝ表示(&F)", "初級", "full=1"},
    {"SystemInformation", "ｼｽﾃﾑ情報(&Ｓ)", nullptr, "初級", "system=shown"},
    {"Help", "ﾍﾙﾌﾟ(&H)", nullptr, "初級", "help=Help1.html"},
    {"Quit", "終了(&X)", nullptr, "初級", "asked=終了してよろしいですか？"},
};

class MenuActions : public ::testing::TestWithParam<Row> {
protected:
  void SetUp() override {
    window_->SetUrlOpener([this](const QUrl &url) { opened_ += url.toLocalFile().toStdString(); });
    window_->show();
    // The start-up timer starts the first game.
    ASSERT_TRUE(QTest::qWaitFor([&] { return window_->State().ownPiecesLeft == 5; }, 5000));
  }

  static QAction *Find(const QList<QAction *> &actions, const char *caption) {
    for (QAction *action : actions)
      if (action->text() == QString::fromUtf8(caption))
        return action;
    return nullptr;
  }

  // Clicks a top item of the menu bar and, when given, an item of the menu it opens.
  void Choose(const char *top, const char *item = nullptr) {
    QMenuBar *bar = window_->menuBar();
    QAction *topAction = Find(bar->actions(), top);
    ASSERT_NE(topAction, nullptr) << top;
    ASSERT_TRUE(topAction->isVisible() && topAction->isEnabled()) << top;
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(topAction).center());
    if (item == nullptr)
      return;
    QMenu *menu = topAction->menu();
    ASSERT_NE(menu, nullptr) << top;
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 2000)) << top;
    QAction *entry = Find(menu->actions(), item);
    ASSERT_NE(entry, nullptr) << item;
    ASSERT_TRUE(entry->isEnabled()) << item;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
    EXPECT_FALSE(menu->isVisible());
  }

  State Snapshot() {
    const auto &st = window_->State();
    std::string levels;
    for (const char *level : {"初級", "中級", "上級"})
      if (Find(Find(window_->menuBar()->actions(), "ｵﾌﾟｼｮﾝ(&O)")->menu()->actions(), level)->isChecked())
        levels += level;
    return {{"level", levels},
            {"countdown", std::to_string(st.turnCountdown)},
            {"phase", std::to_string(st.gamePhase)},
            {"computer", ComputerLevel(st.opponentBoard)},
            {"system", rig_.system->isVisible() ? "shown" : "hidden"},
            {"network", rig_.dialog->isVisible() ? "shown" : "hidden"},
            {"help", opened_},
            {"asked", rig_.boxes.empty() ? "" : rig_.boxes.back().text},
            {"full", std::to_string(st.fullScreen)}};
  }

  windowtest::MainWindowRig rig_;
  TN_FrmMain1 *window_ = rig_.window.get();
  std::string opened_;
};

// Each menu item does what its caption says and nothing else.
TEST_P(MenuActions, ItemDoesItsOwnWorkAndNothingElse) {
  const Row &row = GetParam();
  if (std::string(row.fromLevel) != "初級")
    Choose("ｵﾌﾟｼｮﾝ(&O)", row.fromLevel);
  auto &cell = window_->PictureControl(game::CellPicture(game::CellNumber(5, 5)));
  QTest::mouseClick(&cell, Qt::LeftButton, {}, QPoint(10, 10));
  ASSERT_EQ(window_->State().gamePhase, 1) << "the first Marvok is deployed";
  const State before = Snapshot();
  Choose(row.top, row.item);
  State sets = testcolumns::Columns(row.sets);
  if (sets.count("help"))
    sets["help"] = QDir::current().filePath(QString::fromStdString(sets["help"])).toStdString();
  for (const auto &[column, value] : Snapshot()) {
    const auto set = sets.find(column);
    EXPECT_EQ(value, set != sets.end() ? set->second : before.at(column))
        << "column " << column << (set != sets.end() ? "" : " (unchanged)");
  }
}

INSTANTIATE_TEST_SUITE_P(MainMenu, MenuActions, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row> &info) { return info.param.name; });

} // namespace
