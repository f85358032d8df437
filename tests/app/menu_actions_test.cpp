// The main menu as created, and as the user works it: each item is found by
// its caption in the menu bar and clicked with the mouse, and what the window
// then shows is compared with what the item is for; everything else must stay
// as it was.
#include <QUrl>
#include <gtest/gtest.h>

#include <set>

#include "tests/support/MainWindowRig.h"
#include "tests/support/RuleTables.h"
#include "tests/support/StateColumns.h"
#include "tests/support/Waits.h"

using game::MenuItem;
using testcolumns::State;

namespace {

// Which level's layouts the computer's Marvok stand on.
std::string ComputerLevel(const game::Board &board) {
  const char *levels[] = {"初級", "中級", "上級"};
  for (int level = 0; level < 3; ++level)
    for (const auto &layout : ruletables::kLayouts[level])
      if (board == ruletables::BoardOf(layout))
        return levels[level];
  return board == game::Board{} ? "none" : "other";
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
    {"SameLevelAgain", "ｵﾌﾟｼｮﾝ(&O)", "中級", "中級", "phase=0"},
    {"NewGameAtLevel1", "ｵﾌﾟｼｮﾝ(&O)", "ﾆｭｰｹﾞｰﾑ(&N)", "初級", "phase=0"},
    {"NewGameAtLevel3", "ｵﾌﾟｼｮﾝ(&O)", "ﾆｭｰｹﾞｰﾑ(&N)", "上級", "phase=0"},
    {"Network", "ｵﾌﾟｼｮﾝ(&O)", "ﾈｯﾄﾜｰｸ対戦", "初級", "network=shown"},
    {"FullScreen", "ｵﾌﾟｼｮﾝ(&O)", "ﾌﾙｽｸﾘｰﾝ表示(&F)", "初級", "full=1"},
    {"SystemInformation", "ｼｽﾃﾑ情報(&Ｓ)", nullptr, "初級", "system=shown"},
    {"Help", "ﾍﾙﾌﾟ(&H)", nullptr, "初級", "help=Help1.html"},
    {"Quit", "終了(&X)", nullptr, "初級", "asked=終了してよろしいですか？"},
};

class MainMenu : public ::testing::Test {
protected:
  void SetUp() override {
    window_->SetUrlOpener([this](const QUrl &url) { opened_ += url.toLocalFile().toStdString(); });
    window_->show();
    // The start-up timer starts the first game.
    ASSERT_TRUE(testsupport::WaitFor([&] { return window_->State().ownPiecesLeft == 5; }))
        << "the first game began";
  }

  State Snapshot() {
    const auto &st = window_->State();
    std::string levels;
    for (MenuItem level : {MenuItem::N_MenLevel1, MenuItem::N_MenLevel2, MenuItem::N_MenLevel3})
      if (window_->MenuAction(level).isChecked())
        levels += window_->MenuAction(level).text().toStdString();
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

  apptest::MainWindowRig<> rig_;
  TN_FrmMain1 *window_ = rig_.window.get();
  std::string opened_;
};
class MenuActions : public MainMenu, public ::testing::WithParamInterface<Row> {};

// Each menu item does what its caption says and nothing else.
TEST_P(MenuActions, ItemDoesItsOwnWorkAndNothingElse) {
  const Row &row = GetParam();
  if (std::string(row.fromLevel) != "初級")
    apptest::Choose(*window_, "ｵﾌﾟｼｮﾝ(&O)", row.fromLevel);
  QTest::mouseClick(&window_->PictureControl(game::CellPicture(game::CellNumber(5, 5))), Qt::LeftButton, {},
                    QPoint(10, 10));
  ASSERT_EQ(window_->State().gamePhase, 1) << "the first Marvok is deployed";
  const State before = Snapshot();
  apptest::Choose(*window_, row.top, row.item);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "the menu closed";
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

// A menu item is chosen with the left button; the others leave the menu open.
TEST_F(MainMenu, ItemsTakeTheLeftButtonOnly) {
  QMenu *menu = apptest::OpenMenu(*window_, "ｵﾌﾟｼｮﾝ(&O)");
  window_->State().ownPiecesLeft = 2;
  for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
    apptest::ClickItem(menu, "ﾆｭｰｹﾞｰﾑ(&N)", button);
    EXPECT_EQ(window_->State().ownPiecesLeft, 2) << button;
    EXPECT_EQ(QApplication::activePopupWidget(), menu) << button;
  }
  apptest::ClickItem(menu, "ﾆｭｰｹﾞｰﾑ(&N)");
  EXPECT_EQ(window_->State().ownPiecesLeft, 5);
}

// The items' captions, shortcuts and states as the menu is created.
TEST(MainMenuItems, AsCreated) {
  const struct {
    MenuItem item;
    const char *caption, *shortcut;
    bool checked, enabled;
  } rows[] = {
      {MenuItem::N_MenEnd1, "終了(&X)", "", false, true},
      {MenuItem::N_MenOption1, "ｵﾌﾟｼｮﾝ(&O)", "", false, true},
      {MenuItem::N_MenNew1, "ﾆｭｰｹﾞｰﾑ(&N)", "Ctrl+N", false, true},
      {MenuItem::N_MenNet1, "ﾈｯﾄﾜｰｸ対戦", "F4", false, true},
      {MenuItem::N_MenLevel1, "初級", "", true, true},
      {MenuItem::N_MenLevel2, "中級", "", false, true},
      {MenuItem::N_MenLevel3, "上級", "", false, true},
      {MenuItem::N_MenFull1, "ﾌﾙｽｸﾘｰﾝ表示(&F)", "F2", false, true},
      {MenuItem::N_MenDebug1, "ﾃﾞﾊﾞｯｸﾞﾓｰﾄﾞ(&D)", "", false, false},
      {MenuItem::N_MenTool1, "ｼｽﾃﾑ情報(&Ｓ)", "", false, true},
      {MenuItem::N_MenHelp1, "ﾍﾙﾌﾟ(&H)", "F1", false, true},
  };
  apptest::MainWindowRig<> rig;
  for (const auto &row : rows) {
    QAction &action = rig.window->MenuAction(row.item);
    EXPECT_EQ(action.text().toStdString(), row.caption);
    EXPECT_EQ(action.shortcut().toString().toStdString(), row.shortcut) << row.caption;
    EXPECT_EQ(action.isChecked(), row.checked) << row.caption;
    EXPECT_EQ(action.isEnabled(), row.enabled) << row.caption;
  }
}

} // namespace
