// Mouse buttons as the window takes them: a click on the game-over picture is
// the left button's, a press on a cell is any button's. (A menu item's click:
// menu_actions_test.)
#include <QWindow>
#include <gtest/gtest.h>

#include "tests/support/MainWindowRig.h"

using game::Label;
using game::Picture;

namespace {

class ClicksTest : public ::testing::Test {
protected:
  void SetUp() override {
    window_->N_TimCreate1Timer(); // the first game
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_, testsupport::kWaitMs));
  }

  // A click where the user points in the client area: the topmost control there takes it.
  void Click(Qt::MouseButton button, QPoint at) {
    QTest::mouseClick(window_->windowHandle(), button, {}, window_->ClientArea().mapTo(window_, at));
  }
  static QPoint Cell(int row, int column) {
    return {310 + 32 * (column - row) + 10, 62 + 16 * (column + row) + 10};
  }

  apptest::MainWindowRig<> rig_;
  TN_FrmMain1 *window_ = rig_.window.get();
};

// Only a left click on the shown game-over picture starts the next game.
TEST_F(ClicksTest, TheGameOverPictureTakesTheLeftButtonOnly) {
  window_->SetVisible(Picture::N_ImaMessage1, true); // the end of a game shows it
  window_->SetCaption(Label::N_LabMessage1, "last message");
  window_->State().ownPiecesLeft = 2;
  const QPoint onPicture(315, 225); // over cell (5,5), which the picture covers
  for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
    Click(button, onPicture);
    EXPECT_TRUE(window_->Visible(Picture::N_ImaMessage1)) << button;
    EXPECT_EQ(window_->Caption(Label::N_LabMessage1), "last message") << button;
    EXPECT_EQ(window_->State().ownPiecesLeft, 2) << button;
  }
  Click(Qt::LeftButton, onPicture);
  EXPECT_FALSE(window_->Visible(Picture::N_ImaMessage1));
  EXPECT_EQ(window_->Caption(Label::N_LabMessage1), "自軍Marvokの配置場所を指定してください。");
  EXPECT_EQ(window_->State().ownPiecesLeft, 5);
}

// Every button presses a cell: deployment and, in the search turn, a search.
TEST_F(ClicksTest, ACellTakesEveryButton) {
  const Qt::MouseButton buttons[] = {Qt::RightButton, Qt::MiddleButton, Qt::LeftButton, Qt::RightButton,
                                     Qt::MiddleButton};
  for (int i = 0; i < 5; ++i)
    Click(buttons[i], Cell(i + 2, i + 2));
  ASSERT_EQ(window_->State().gamePhase, game::SearchTurn);
  Click(Qt::RightButton, Cell(8, 3));
  EXPECT_EQ(window_->State().gamePhase, game::Waiting) << "the right button searched";
  EXPECT_EQ(window_->State().selectedColumn, 3);
}

} // namespace
