// The main window as created: layout, stacking and hit-testing, menu, timers
// and the game state before start-up, with the generated data files.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "app/TN_FrmMain1.h"
#include "platform/core/MessageBox.h"
#include "system/TN_FrmSystem1.h"
#include "tests/support/TestPaths.h"

using game::Label;
using game::MenuItem;
using game::Picture;
using game::Timer;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    previousDir_ = QDir::currentPath();
    QDir::setCurrent(testpaths::GameDir());
    previousResponder_ = platform::SetMessageBoxResponder([this](const platform::MessageBoxRequest &request) {
      boxes_.push_back(request);
      return platform::IDNO;
    });
    window_ = std::make_unique<TN_FrmMain1>();
    system_ = std::make_unique<TN_FrmSystem1>();
    window_->AttachSystemWindow(*system_);
  }
  void TearDown() override {
    window_.reset();
    system_.reset();
    platform::SetMessageBoxResponder(previousResponder_);
    QDir::setCurrent(previousDir_);
  }

  // The widget that takes a press at (x, y) of the client area.
  QWidget *WidgetAt(int x, int y) {
    QWidget *client = &window_->ClientArea();
    return client->childAt(x, y);
  }

  QString previousDir_;
  platform::MessageBoxResponder previousResponder_;
  std::vector<platform::MessageBoxRequest> boxes_;
  std::unique_ptr<TN_FrmMain1> window_;
  std::unique_ptr<TN_FrmSystem1> system_;
};

TEST_F(MainWindowTest, CellsStandOnTheDiamondAndCornersAreHidden) {
  auto position = [&](int k) { return window_->PictureControl(game::CellPicture(k)).pos(); };
  EXPECT_EQ(position(game::CellNumber(1, 2)), QPoint(342, 110));
  EXPECT_EQ(position(game::CellNumber(2, 1)), QPoint(278, 110));
  EXPECT_EQ(position(game::CellNumber(5, 5)), QPoint(310, 222));
  EXPECT_EQ(position(game::CellNumber(10, 9)), QPoint(278, 366));
  for (int k : {1, 10, 91, 100}) {
    EXPECT_EQ(position(k), QPoint(0, 0));
    EXPECT_FALSE(window_->Visible(game::CellPicture(k))) << k;
  }
  for (int k = 2; k <= 99; ++k)
    if (k != 10 && k != 91) {
      EXPECT_TRUE(window_->Visible(game::CellPicture(k))) << k;
      EXPECT_EQ(window_->PictureControl(game::CellPicture(k)).size(), QSize(20, 21)) << k;
    }
}

TEST_F(MainWindowTest, StackingDecidesWhoTakesTheMouse) {
  auto &image70 = window_->PictureControl(game::CellPicture(70));
  auto &image60 = window_->PictureControl(game::CellPicture(60));
  auto &effect2 = window_->PictureControl(Picture::N_ImaEffect2);
  EXPECT_EQ(image70.pos(), QPoint(406, 334));
  // All of Image70 lies above N_ImaEffect2.
  EXPECT_EQ(WidgetAt(410, 340), &image70);
  EXPECT_EQ(WidgetAt(425, 354), &image70);
  // The bottom 7 rows of Image60 (y 332..338) lie under N_ImaEffect2.
  EXPECT_EQ(WidgetAt(445, 331), &image60);
  EXPECT_EQ(WidgetAt(445, 332), &effect2);
  EXPECT_EQ(WidgetAt(445, 338), &effect2);
  // A corner cell's spot reaches the background only.
  EXPECT_EQ(WidgetAt(5, 5), &window_->LabelControl(Label::N_LabFull1));
}

TEST_F(MainWindowTest, GameOverPictureCoversCellsOnlyWhenShown) {
  auto &cell = window_->PictureControl(game::CellPicture(game::CellNumber(5, 5)));
  EXPECT_EQ(WidgetAt(315, 225), &cell);
  window_->SetVisible(Picture::N_ImaMessage1, true);
  EXPECT_EQ(WidgetAt(315, 225), &window_->PictureControl(Picture::N_ImaMessage1));
}

TEST_F(MainWindowTest, StateAndControlsRightAfterCreation) {
  const auto &st = window_->State();
  EXPECT_EQ(st.gamePhase, 0);
  EXPECT_EQ(st.ownPiecesLeft, 0);
  EXPECT_EQ(st.opponentPiecesLeft, 0);
  EXPECT_EQ(st.opponentPortraitStage, 100);
  EXPECT_EQ(st.ownBoard, game::Board{});
  EXPECT_EQ(st.opponentBoard, game::Board{});
  EXPECT_EQ(st.opponentMarks, game::Board{});

  EXPECT_EQ(window_->windowTitle().toStdString(), "MarvokZT Ver 0.5");
  EXPECT_EQ(window_->ClientArea().size(), QSize(640, 480));
  EXPECT_EQ(window_->Caption(Label::N_LabMessage1), "自軍Marvokの配置場所を指定してください。");
  EXPECT_EQ(window_->Caption(Label::N_LabTimer1), "000");
  EXPECT_EQ(window_->Caption(Label::N_LabScore1), "HIGHSCORE");
  EXPECT_EQ(window_->Caption(Label::N_LabScore9), "HIGHSCORE");
  EXPECT_FALSE(window_->Visible(Label::N_LabScore8));
  EXPECT_FALSE(window_->Visible(Label::N_LabMessage2));
  EXPECT_FALSE(window_->Visible(Picture::N_ImaMessage1));
  EXPECT_EQ(window_->Width(Picture::N_ImaLife1), 164);
  EXPECT_EQ(window_->PictureControl(Picture::N_ImaFace1).pos(), QPoint(7, 86));
  EXPECT_EQ(window_->PictureControl(Picture::N_ImaFace2).pos(), QPoint(490, 86));
  EXPECT_GE(window_->Canvas(Picture::N_ImaMark1).Width(), 60);
  EXPECT_GE(window_->Canvas(Picture::N_ImaMark1).Height(), 42);
  EXPECT_TRUE(boxes_.empty()) << "a start-up picture is missing: " << (boxes_.empty() ? "" : boxes_[0].text);
}

TEST_F(MainWindowTest, MenuAsCreated) {
  struct Row {
    MenuItem item;
    const char *caption;
    const char *shortcut;
    bool checked, enabled;
  };
  const Row rows[] = {
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
  for (const auto &row : rows) {
    QAction &action = window_->MenuAction(row.item);
    EXPECT_EQ(action.text().toStdString(), row.caption);
    EXPECT_EQ(action.shortcut().toString().toStdString(), row.shortcut) << row.caption;
    EXPECT_EQ(action.isChecked(), row.checked) << row.caption;
    EXPECT_EQ(action.isEnabled(), row.enabled) << row.caption;
  }
}

TEST_F(MainWindowTest, TimersAsCreatedAndSwitching) {
  for (auto timer : {Timer::N_TimCreate1, Timer::N_TimClose1, Timer::N_TimFace1, Timer::N_TimFace2})
    EXPECT_TRUE(window_->Enabled(timer));
  for (auto timer : {Timer::N_TimTurn1, Timer::N_TimTurn2, Timer::N_TimTimer1, Timer::N_TimEffect1,
                     Timer::N_TimEffect2, Timer::N_TimEffect3})
    EXPECT_FALSE(window_->Enabled(timer));
}

} // namespace
