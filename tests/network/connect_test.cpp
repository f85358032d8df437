// The network settings dialog: its layout and defaults, opening and
// cancelling with the full-screen menu flip, connecting as host or guest,
// ports that are refused, and connections that fail or are lost.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <gtest/gtest.h>

#include "network/TN_FrmSub2.h"
#include "tests/network/MatchWorld.h"

using namespace nettest;

namespace {

constexpr std::array kTopItems{MenuItem::N_MenEnd1, MenuItem::N_MenOption1, MenuItem::N_MenTool1,
                               MenuItem::N_MenHelp1};

struct ConnectTest : ::testing::Test {
  MatchWorld world;
  MatchSide &side = world.host;

  void Press() {
    world.Do([&] { side.match.N_ButAccess1Click(); });
  }
};

TEST(NetworkDialogTest, ModesAndAGuardedButton) {
  TN_FrmSub2 dialog;
  EXPECT_EQ(dialog.HostText() + ":" + dialog.PortText(), "localhost:9120");
  EXPECT_TRUE(dialog.InConnectMode() && !dialog.ServerChecked());
  dialog.SetConnectMode(false);
  EXPECT_FALSE(dialog.N_EdiNet2->isEnabled() || dialog.N_CheAccess1->isEnabled() || dialog.InConnectMode());
  EXPECT_EQ(dialog.N_ButAccess1->text().toStdString(), "切断(&U)");
  dialog.SetConnectMode(true);
  EXPECT_EQ(dialog.N_ButAccess1->text().toStdString(), "接続(&U)");

  // A handler's exception is reported, never passed to Qt.
  dialog.OnAccessClick = [] { throw platform::Exception("boom"); };
  std::vector<std::string> boxes;
  auto previous = platform::SetMessageBoxResponder([&](const platform::MessageBoxRequest &request) {
    boxes.push_back(request.text);
    return platform::IDOK;
  });
  dialog.N_ButAccess1->click();
  platform::SetMessageBoxResponder(previous);
  EXPECT_EQ(boxes, std::vector<std::string>{"boom"});
}

TEST_F(ConnectTest, OpeningAndCancellingFlipTheMenuOnlyInFullScreen) {
  side.match.N_MenNet1Click();
  EXPECT_TRUE(side.dialog.shown);
  side.match.Button1Click();
  EXPECT_FALSE(side.dialog.shown);
  for (MenuItem item : kTopItems)
    EXPECT_TRUE(side.ui.Visible(item));

  side.st.fullScreen = 1;
  side.ui.SetCaption(MenuItem::N_MenFull1, "ｳｲﾝﾄﾞｳ表示(&F)");
  for (MenuItem item : kTopItems)
    side.ui.SetVisible(item, false);
  side.match.N_MenNet1Click();
  EXPECT_EQ(side.st.menuRestorePending, 1);
  side.match.Button1Click();
  EXPECT_EQ(side.st.menuRestorePending, 0);
  for (MenuItem item : kTopItems)
    EXPECT_TRUE(side.ui.Visible(item));
  side.match.Button1Click(); // nothing pending: no second flip
  EXPECT_TRUE(side.ui.Visible(MenuItem::N_MenEnd1));
  EXPECT_TRUE(side.sockets.calls.empty());
}

TEST_F(ConnectTest, HostConnectsWithTheMatchOnBeforeAnySocketOpens) {
  std::vector<std::string> seen;
  side.sockets.onCall = [&](const std::string &call) {
    seen.push_back(call + (side.st.netGameActive ? " on" : " off"));
  };
  side.dialog.server = true, side.dialog.port = "9300", side.dialog.shown = true;
  ASSERT_FALSE(side.st.opponentBoard == game::Board{}); // the computer's layout
  Press();
  EXPECT_EQ(seen,
            (std::vector<std::string>{"client-host:localhost on", "client-port:9300 on",
                                      "server-port:9300 on", "server-active:1 on", "client-active:1 on"}));
  for (MenuItem item :
       {MenuItem::N_MenNew1, MenuItem::N_MenLevel1, MenuItem::N_MenLevel2, MenuItem::N_MenLevel3})
    EXPECT_FALSE(side.ui.Enabled(item));
  EXPECT_EQ(side.PortraitStages(), "wipe=0 stage=0 disconnected=0 work=Cast0.bmp cast=Face3.bmp wiping");
  EXPECT_EQ(side.st.opponentBoard, game::Board{}); // a network game waits for the peer's deployment
  EXPECT_EQ(side.st.turnCountdown, 100);
  EXPECT_EQ(side.st.netRoleIsClient, 0);
  EXPECT_FALSE(side.dialog.connectMode);
  EXPECT_FALSE(side.dialog.shown);
  // Its own client is accepted: the login line and Waiting.
  ASSERT_TRUE(world.RunUntil([&] { return side.sockets.ServerConnectionCount() == 1; }, 100));
  EXPECT_EQ(side.st.gamePhase, game::Waiting);
}

TEST_F(ConnectTest, BadPortsChangeNothingAndZeroAsksForTheServer) {
  side.dialog.shown = true;
  for (const char *port : {"abc", "65536", "-1", "", "9120x"}) {
    side.dialog.port = port;
    Press();
  }
  EXPECT_EQ(side.ui.questions.size(), 5u);
  EXPECT_EQ(side.ui.questions[0].flags, platform::MB_OK | platform::MB_ICONEXCLAMATION);
  EXPECT_EQ(side.st.netGameActive, 0);
  EXPECT_TRUE(side.ui.Enabled(MenuItem::N_MenNew1));
  EXPECT_TRUE(side.dialog.connectMode && side.dialog.shown);
  EXPECT_TRUE(side.sockets.calls.empty());

  side.dialog.port = "0", side.dialog.host = "";
  Press();
  EXPECT_TRUE(side.sockets.askedForServer);
  EXPECT_EQ(side.st.netGameActive, 1);
}

TEST_F(ConnectTest, FailuresAreReportedAndEndInConnectMode) {
  // Listening fails; opening fails; the host refuses later.
  side.dialog.server = true, side.dialog.shown = true, side.sockets.failListen = true;
  Press();
  side.dialog.server = false, side.sockets.failListen = false, side.sockets.failOpen = true;
  Press();
  EXPECT_TRUE(side.dialog.shown); // left open to try again
  side.sockets.failOpen = false;
  Press();
  EXPECT_EQ(side.st.netGameActive, 1);
  ASSERT_TRUE(world.RunUntil([&] { return side.st.netGameActive == 0; }, 100));
  ASSERT_EQ(side.ui.errors.size(), 3u);
  EXPECT_EQ(side.ui.errors[2], "接続が拒否されました。");
  EXPECT_TRUE(side.dialog.connectMode);
  EXPECT_TRUE(side.ui.Enabled(MenuItem::N_MenLevel2));
  EXPECT_FALSE(side.sockets.ClientActive() || side.sockets.Listening());
  EXPECT_EQ(side.ui.Caption(Label::N_LabMessage1), "切断されました。");

  // 切断 while the connection is still being made: nobody to tell.
  world.net.latencyMs = 50;
  Press();
  EXPECT_FALSE(side.dialog.connectMode);
  Press();
  EXPECT_TRUE(side.dialog.connectMode);
  EXPECT_EQ(side.ui.packets.size(), 0u);
}

TEST_F(ConnectTest, QuittingFlushesAndALostHostEndsTheGuestsMatch) {
  ASSERT_TRUE(world.Connect());
  world.guest.match.FlushBeforeExit();
  EXPECT_EQ(world.guest.sockets.calls.back(), "flush");

  // The host's program dies: its sockets close with nobody to say "setudan".
  world.host.sockets.match = nullptr;
  world.Do([&] { world.host.sockets.SetServerActive(false); });
  ASSERT_TRUE(world.RunUntil([&] { return world.guest.st.netGameActive == 0; }, 1000));
  EXPECT_EQ(world.guest.ui.Caption(Label::N_LabMessage1), "切断されました。");
  EXPECT_TRUE(world.guest.dialog.connectMode);
  EXPECT_TRUE(world.guest.ui.errors.empty());

  // A rematch answered after the match ended sends nothing.
  world.guest.st.gameOver = 1, world.guest.st.turnTick = 2;
  world.guest.ui.answers = {platform::IDYES};
  world.guest.ui.packets.clear();
  world.guest.ui.SetEnabled(Timer::N_TimTurn1, true);
  world.guest.game.N_TimTurn1Timer();
  EXPECT_EQ(world.guest.ui.questions.size(), 1u);
  EXPECT_TRUE(world.guest.ui.packets.empty());
}

} // namespace
