// Start-up and quitting of the main window: the deferred start-up work, the
// splash, the closing question and the settings file.
#include <QScreen>
#include <gtest/gtest.h>

#include "app/TN_FrmSub1.h"
#include "tests/support/MainWindowRig.h"
#include "tests/support/ModalDialog.h"
#include "tests/support/Waits.h"

using game::Label;
using game::Timer;

namespace {

// A game folder of its own: a copy of the generated data files, less any the
// test leaves out.
class StartupTest : public ::testing::Test {
protected:
  using Rig = apptest::MainWindowRig<TN_FrmMain1, testsupport::GameFolderCopy>;
  void Create(const QStringList &leaveOut = {}) {
    rig_ = std::make_unique<Rig>(leaveOut);
    ASSERT_TRUE(rig_->Copied());
    window_ = rig_->window.get();
    system_ = rig_->system.get();
  }

  std::unique_ptr<Rig> rig_;
  TN_FrmMain1 *window_ = nullptr;
  TN_FrmSystem1 *system_ = nullptr;
};

TEST_F(StartupTest, StartupTickDoesItsWorkOnce) {
  Create();
  window_->N_TimCreate1Timer();
  const std::string folder = QDir::currentPath().toStdString() + "/";
  EXPECT_FALSE(window_->Enabled(Timer::N_TimCreate1));
  EXPECT_EQ(system_->dataFolder, folder);
  EXPECT_EQ(system_->N_EdiBgm1->text().toStdString(), folder + "Marvok01.mid");
  EXPECT_EQ(window_->State().bgmPathPrefixed, 1);
  EXPECT_EQ(system_->bgmMidiPlaying, 1);
  EXPECT_TRUE(system_->N_ChePlay1->isChecked());
  EXPECT_EQ(system_->StatusText().toStdString(), "MIDIPLAY");
  EXPECT_EQ(window_->State().ownPiecesLeft, 5); // the first game has started
  EXPECT_EQ(window_->State().turnCountdown, 200);
  EXPECT_EQ(window_->Caption(Label::N_LabScore1), "0");
  EXPECT_EQ(window_->Caption(Label::N_LabScore8), "");
  EXPECT_EQ(window_->Caption(Label::N_LabScore9), "0");
  EXPECT_EQ(system_->N_ImaWork2.Width(), 143);
  EXPECT_TRUE(rig_->boxes.empty());

  // The tool menu later does not prefix the path again.
  window_->N_MenTool1Click();
  EXPECT_EQ(system_->N_EdiBgm1->text().toStdString(), folder + "Marvok01.mid");
}

TEST_F(StartupTest, FailingStepsAreReportedOnceAndStartupGoesOn) {
  Create({"Marvok01.mid", "Cast1.bmp"});
  rig_->boxes.clear(); // the missing portrait reported at creation
  ASSERT_TRUE(testsupport::WaitFor([&] { return !window_->Enabled(Timer::N_TimCreate1); }))
      << "the real start-up timer ran once and switched itself off";
  EXPECT_FALSE(window_->Enabled(Timer::N_TimCreate1));
  EXPECT_EQ(window_->State().ownPiecesLeft, 5);
  EXPECT_EQ(window_->Caption(Label::N_LabScore1), "0");
  EXPECT_GE(rig_->boxes.size(), 2u);
  EXPECT_LE(rig_->boxes.size(), 3u);
}

TEST_F(StartupTest, SplashClosesAndDestroysItself) {
  Create();
  auto *splash = new TN_FrmSub1();
  N_FrmSub1 = splash;
  EXPECT_EQ(splash->size(), QSize(412, 230));
  EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
  bool openAfterEscape = false;
  testsupport::WhenModal<TN_FrmSub1> escape([&](TN_FrmSub1 &shown) {
    QTest::keyClick(&shown, Qt::Key_Escape);
    openAfterEscape = shown.isVisible();
  });
  splash->exec(); // returns when the closing timer (2000 ms) has closed it
  EXPECT_TRUE(openAfterEscape) << "Escape must not dismiss the splash";
  EXPECT_FALSE(window_->Enabled(Timer::N_TimClose1));
  EXPECT_FALSE(window_->Enabled(Timer::N_TimCreate1)) << "start-up ran behind the splash";
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(N_FrmSub1.isNull());
}

// The splash stands at the centre of the screen.
TEST_F(StartupTest, SplashIsCentredOnTheScreen) {
  auto splash = std::make_unique<TN_FrmSub1>();
  splash->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(splash.get(), testsupport::kWaitMs));
  const QSize screen = splash->screen()->geometry().size(); // 800 by 800 offscreen: 194,285
  EXPECT_EQ(splash->frameGeometry(),
            QRect((screen.width() - 412) / 2, (screen.height() - 230) / 2, 412, 230));
}

TEST_F(StartupTest, QuittingAsksAndWritesTheSettingsFile) {
  Create();
  window_->N_TimCreate1Timer();
  {
    QFile old(rig_->Path("SeveData.qvd"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older, longer file\r\n");
  }
  window_->show();
  rig_->answers = {platform::IDNO};
  EXPECT_FALSE(window_->close());
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(rig_->Read("SeveData.qvd"), QByteArray("an older, longer file\r\n"));
  ASSERT_FALSE(rig_->boxes.empty());
  EXPECT_EQ(rig_->boxes.back().text, "終了してよろしいですか？");
  EXPECT_EQ(rig_->boxes.back().caption, "確認");
  EXPECT_EQ(rig_->boxes.back().flags, platform::MB_YESNO | platform::MB_ICONQUESTION);

  rig_->answers = {platform::IDYES};
  EXPECT_TRUE(window_->close());
  EXPECT_EQ(rig_->Read("SeveData.qvd"), QByteArray("0\r\n"));
}

TEST_F(StartupTest, AnUnwritableFolderStillLetsTheUserQuit) {
  Create();
  window_->N_TimCreate1Timer();
  system_->dataFolder = rig_->Path("no-such-folder").toStdString() + "/";
  window_->show();
  rig_->answers = {platform::IDYES};
  EXPECT_TRUE(window_->close());
  EXPECT_EQ(rig_->boxes.size(), 2u); // the question and the write error
}

} // namespace
