// Full screen and back, the top strip, and the menu commands that leave full
// screen first; the display switch is recorded, never done.
#include <QAction>
#include <QDir>
#include <QMenuBar>
#include <QUrl>
#include <gtest/gtest.h>

#include "tests/window/MainWindowRig.h"

using game::MenuItem;

namespace {

struct RecordingDisplay : platform::DisplayModeSwitcher {
  int *switches, *restores;
  bool offersMode;
  RecordingDisplay(int *s, int *r, bool offers) : switches(s), restores(r), offersMode(offers) {}
  bool SwitchTo640x480() override {
    ++*switches;
    return offersMode;
  }
  void Restore() override { ++*restores; }
};

class FullScreenTest : public ::testing::TestWithParam<bool> {
protected:
  void SetUp() override {
    window_->SetDisplayModeSwitcher(std::make_unique<RecordingDisplay>(&switches_, &restores_, GetParam()));
    window_->SetUrlOpener([this](const QUrl &url) { opened_.push_back(url); });
    window_->N_TimCreate1Timer();
    window_->show();
  }

  bool TopItemsShown() {
    for (auto item :
         {MenuItem::N_MenEnd1, MenuItem::N_MenOption1, MenuItem::N_MenTool1, MenuItem::N_MenHelp1})
      if (!window_->Visible(item))
        return false;
    return true;
  }
  bool TopItemsHidden() {
    for (auto item :
         {MenuItem::N_MenEnd1, MenuItem::N_MenOption1, MenuItem::N_MenTool1, MenuItem::N_MenHelp1})
      if (window_->Visible(item))
        return false;
    return true;
  }

  int switches_ = 0, restores_ = 0;
  std::vector<QUrl> opened_;
  windowtest::MainWindowRig rig_{[](const platform::MessageBoxRequest &) { return platform::IDNO; }};
  std::unique_ptr<TN_FrmMain1> &window_ = rig_.window;
  std::unique_ptr<TN_FrmSystem1> &system_ = rig_.system;
};

TEST_P(FullScreenTest, IntoFullScreenAndBack) {
  window_->N_MenFull1Click();
  EXPECT_EQ(window_->Caption(MenuItem::N_MenFull1), "ｳｲﾝﾄﾞｳ表示(&F)");
  EXPECT_EQ(window_->State().fullScreen, 1);
  EXPECT_TRUE(TopItemsHidden());
  EXPECT_TRUE(window_->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(switches_, 1);
  EXPECT_EQ(restores_, 0);
  EXPECT_EQ(window_->ClientArea().size(), QSize(640, 480));
  // The field stands at the centre of whatever the window covers.
  const QWidget *frame = window_->centralWidget();
  const QRect client = window_->ClientArea().geometry();
  EXPECT_LE(std::abs(client.left() - (frame->width() - client.right() - 1)), 1);
  EXPECT_LE(std::abs(client.top() - (frame->height() - client.bottom() - 1)), 1);

  window_->N_MenFull1Click();
  EXPECT_EQ(window_->Caption(MenuItem::N_MenFull1), "ﾌﾙｽｸﾘｰﾝ表示(&F)");
  EXPECT_EQ(window_->State().fullScreen, 0);
  EXPECT_TRUE(TopItemsShown());
  EXPECT_FALSE(window_->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(switches_, 1);
  EXPECT_EQ(restores_, 1);
  EXPECT_EQ(window_->ClientArea().size(), QSize(640, 480));
  EXPECT_TRUE(window_->isVisible());
}

TEST_P(FullScreenTest, TopStripFlipsTheMenuOnlyInFullScreen) {
  window_->N_LabFull1MouseMove();
  EXPECT_TRUE(TopItemsShown());
  window_->N_MenFull1Click();
  window_->N_LabFull1MouseMove();
  EXPECT_TRUE(TopItemsShown());
  window_->N_LabFull1MouseMove();
  EXPECT_TRUE(TopItemsHidden());
}

TEST_P(FullScreenTest, HelpAndSystemInformationLeaveFullScreenFirst) {
  window_->N_MenFull1Click();
  window_->N_MenHelp1Click();
  EXPECT_EQ(window_->State().fullScreen, 0);
  EXPECT_EQ(restores_, 1);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0].toLocalFile(), QDir::current().filePath("Help1.html"));

  window_->N_MenFull1Click();
  window_->N_MenTool1Click();
  EXPECT_EQ(window_->Caption(MenuItem::N_MenFull1), "ﾌﾙｽｸﾘｰﾝ表示(&F)");
  EXPECT_EQ(restores_, 2);
  EXPECT_TRUE(system_->isVisible());
}

TEST_P(FullScreenTest, QuittingInFullScreenRestoresTheDisplayAndWritesOne) {
  window_->N_MenFull1Click();
  platform::SetMessageBoxResponder([](const platform::MessageBoxRequest &) { return platform::IDYES; });
  EXPECT_TRUE(window_->close());
  EXPECT_EQ(restores_, 1);
  QFile file(QString::fromStdString(system_->dataFolder + "SeveData.qvd"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("1\r\n"));
  file.remove();
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutA640x480Mode, FullScreenTest, ::testing::Values(true, false));

} // namespace
