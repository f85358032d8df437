// One side of a match through the fake relay. The network settings dialog:
// opening and cancelling with the full-screen menu flip, connecting as host or
// guest, ports that are refused, and connections that fail or are lost. The
// receiver, fed packets directly: keywords, the peer's deployment, the echo
// rule, hostile texts, the disconnect steps, the host's acceptance of
// connections and a peer's move that arrives too early.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "network/MatchTexts.h"
#include "network/TN_FrmSub2.h"
#include "tests/network/MatchWorld.h"
#include "tests/support/MessageBoxes.h"

using namespace nettest;
using game::Board;

namespace {

void Feed(MatchSide &side, std::initializer_list<std::string> texts) {
  for (const std::string &text : texts)
    side.match.N_PacketClientSocket1PacketArrived(text.c_str(), static_cast<int>(text.size() + 1));
}

struct ProtocolTest : ::testing::Test {
  MatchWorld world;
  MatchSide &host = world.host;
  MatchSide &guest = world.guest;

  // A side in the move exchange, as after both deployments.
  void InMoveExchange(MatchSide &side, bool isGuest, int toggle) {
    side.st.netGameActive = 1, side.st.netRoleIsClient = isGuest;
    side.game.N_MenNew1Click();
    side.st.ownBoard.At(4, 6) = game::Piece;
    side.st.netReceiveState = game::NetExchangingMoves;
    side.st.echoSkipToggle = static_cast<std::uint8_t>(toggle);
    side.st.guestFirstTurnDone = 1;
    side.st.gamePhase = game::Waiting;
    side.loadsSeen = side.ui.loads.size();
  }
  // The host's connect button, as one event of the clock.
  void Press() {
    world.Do([&] { host.match.N_ButAccess1Click(); });
  }
};

constexpr MenuItem kTopItems[] = {MenuItem::N_MenEnd1, MenuItem::N_MenOption1, MenuItem::N_MenTool1,
                                  MenuItem::N_MenHelp1};

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
  testsupport::BoxRecorder boxes;
  boxes.fallback = platform::IDOK;
  dialog.N_ButAccess1->click();
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"boom"});
}

TEST_F(ProtocolTest, OpeningAndCancellingFlipTheMenuOnlyInFullScreen) {
  host.match.N_MenNet1Click();
  EXPECT_TRUE(host.dialog.shown);
  host.match.Button1Click();
  EXPECT_FALSE(host.dialog.shown);
  for (MenuItem item : kTopItems)
    EXPECT_TRUE(host.ui.Visible(item));

  host.st.fullScreen = 1;
  host.ui.SetCaption(MenuItem::N_MenFull1, "ｳｲﾝﾄﾞｳ表示(&F)");
  for (MenuItem item : kTopItems)
    host.ui.SetVisible(item, false);
  host.match.N_MenNet1Click();
  EXPECT_EQ(host.st.menuRestorePending, 1);
  host.match.Button1Click();
  EXPECT_EQ(host.st.menuRestorePending, 0);
  for (MenuItem item : kTopItems)
    EXPECT_TRUE(host.ui.Visible(item));
  host.match.Button1Click(); // nothing pending: no second flip
  EXPECT_TRUE(host.ui.Visible(MenuItem::N_MenEnd1));
  EXPECT_TRUE(host.sockets.calls.empty());
}

TEST_F(ProtocolTest, HostConnectsWithTheMatchOnBeforeAnySocketOpens) {
  std::vector<std::string> seen;
  host.sockets.onCall = [&](const std::string &call) {
    seen.push_back(call + (host.st.netGameActive ? " on" : " off"));
  };
  host.dialog.server = true, host.dialog.port = "9300", host.dialog.shown = true;
  ASSERT_FALSE(host.st.opponentBoard == game::Board{}); // the computer's layout
  Press();
  EXPECT_EQ(seen,
            (std::vector<std::string>{"client-host:localhost on", "client-port:9300 on",
                                      "server-port:9300 on", "server-active:1 on", "client-active:1 on"}));
  for (MenuItem item :
       {MenuItem::N_MenNew1, MenuItem::N_MenLevel1, MenuItem::N_MenLevel2, MenuItem::N_MenLevel3})
    EXPECT_FALSE(host.ui.Enabled(item));
  EXPECT_EQ(host.PortraitStages(), "wipe=0 stage=0 disconnected=0 work=Cast0.bmp cast=Face3.bmp wiping");
  EXPECT_EQ(host.st.opponentBoard, game::Board{}); // a network game waits for the peer's deployment
  EXPECT_EQ(host.st.turnCountdown, 100);
  EXPECT_EQ(host.st.netRoleIsClient, 0);
  EXPECT_FALSE(host.dialog.connectMode);
  EXPECT_FALSE(host.dialog.shown);
  // Its own client is accepted: the login line and Waiting.
  ASSERT_TRUE(world.RunUntil([&] { return host.sockets.ServerConnectionCount() == 1; }, 100));
  EXPECT_EQ(host.st.gamePhase, game::Waiting);
}

TEST_F(ProtocolTest, BadPortsChangeNothingAndZeroAsksForTheServer) {
  host.dialog.shown = true;
  for (const char *port : {"abc", "65536", "-1", "", "9120x"}) {
    host.dialog.port = port;
    Press();
  }
  EXPECT_EQ(host.ui.boxes.size(), 5u);
  EXPECT_EQ(host.ui.boxes[0].flags, platform::MB_OK | platform::MB_ICONEXCLAMATION);
  EXPECT_EQ(host.st.netGameActive, 0);
  EXPECT_TRUE(host.ui.Enabled(MenuItem::N_MenNew1));
  EXPECT_TRUE(host.dialog.connectMode && host.dialog.shown);
  EXPECT_TRUE(host.sockets.calls.empty());

  host.dialog.port = "0", host.dialog.host = "";
  Press();
  EXPECT_TRUE(host.sockets.askedForServer);
  EXPECT_EQ(host.st.netGameActive, 1);
}

TEST_F(ProtocolTest, FailuresAreReportedAndEndInConnectMode) {
  // Listening fails; opening fails; the host refuses later.
  host.dialog.server = true, host.dialog.shown = true, host.sockets.failListen = true;
  Press();
  host.dialog.server = false, host.sockets.failListen = false, host.sockets.failOpen = true;
  Press();
  EXPECT_TRUE(host.dialog.shown); // left open to try again
  host.sockets.failOpen = false;
  Press();
  EXPECT_EQ(host.st.netGameActive, 1);
  ASSERT_TRUE(world.RunUntil([&] { return host.st.netGameActive == 0; }, 100));
  ASSERT_EQ(host.ui.errors.size(), 3u);
  EXPECT_EQ(host.ui.errors[2], "接続が拒否されました。");
  EXPECT_TRUE(host.dialog.connectMode);
  EXPECT_TRUE(host.ui.Enabled(MenuItem::N_MenLevel2));
  EXPECT_FALSE(host.sockets.ClientActive() || host.sockets.Listening());
  EXPECT_EQ(host.ui.Caption(Label::N_LabMessage1), "切断されました。");

  // 切断 while the connection is still being made: nobody to tell.
  world.net.latencyMs = 50;
  Press();
  EXPECT_FALSE(host.dialog.connectMode);
  Press();
  EXPECT_TRUE(host.dialog.connectMode);
  EXPECT_EQ(host.ui.packets.size(), 0u);
}

TEST_F(ProtocolTest, QuittingFlushesAndALostHostEndsTheGuestsMatch) {
  ASSERT_TRUE(world.Connect());
  guest.match.FlushBeforeExit();
  EXPECT_EQ(guest.sockets.calls.back(), "flush");

  // The host's program dies: its sockets close with nobody to say "setudan".
  host.sockets.match = nullptr;
  world.Do([&] { host.sockets.SetServerActive(false); });
  ASSERT_TRUE(world.RunUntil([&] { return guest.st.netGameActive == 0; }, 1000));
  EXPECT_EQ(guest.ui.Caption(Label::N_LabMessage1), "切断されました。");
  EXPECT_TRUE(guest.dialog.connectMode);
  EXPECT_TRUE(guest.ui.errors.empty());

  // A rematch answered after the match ended sends nothing.
  guest.st.gameOver = 1, guest.st.turnTick = 2;
  guest.ui.answers = {platform::IDYES};
  guest.ui.packets.clear();
  guest.ui.SetEnabled(Timer::N_TimTurn1, true);
  guest.game.N_TimTurn1Timer();
  EXPECT_EQ(guest.ui.boxes.size(), 1u);
  EXPECT_TRUE(guest.ui.packets.empty());
}

TEST_F(ProtocolTest, AMatchEndedWhileTheRematchQuestionIsUpGetsNoRematch) {
  ASSERT_TRUE(world.Connect());
  // The guest has lost; the peer's "setudan" arrives while it is being asked.
  guest.st.gameOver = 1, guest.st.ownPiecesLeft = 0, guest.st.turnTick = 2;
  guest.ui.respond = [&](const platform::MessageBoxRequest &) {
    Feed(guest, {"setudan"});
    return platform::IDYES;
  };
  world.Do([&] { guest.ui.SetEnabled(Timer::N_TimTurn1, true); });
  world.clock.Advance(1000);
  ASSERT_EQ(guest.ui.Texts(), std::vector<std::string>{"再戦しますか？"});
  EXPECT_TRUE(guest.ui.packets.empty());
  EXPECT_TRUE(guest.ui.errors.empty());
  ASSERT_TRUE(world.RunUntil([&] { return host.st.netGameActive == 0; }, 1000));
  for (MatchSide *side : {&host, &guest}) {
    EXPECT_EQ(side->ui.Caption(Label::N_LabMessage1), "切断されました。");
    EXPECT_EQ(side->st.gamePhase, game::Waiting);
  }
  EXPECT_EQ(guest.st.gameOver, 1); // no new game
}

TEST_F(ProtocolTest, FieldNumbersAndPortsAreReadStrictly) {
  for (int k = 1; k <= 10; ++k)
    EXPECT_EQ(network::FieldNumber(std::to_string(k)), k);
  for (const char *bad : {"0", "11", "-1", "abc", "", "05", " 5", "5 ", "1O", "+3"})
    EXPECT_FALSE(network::FieldNumber(bad)) << bad;
  EXPECT_EQ(network::PortNumber("9120"), 9120);
  EXPECT_EQ(network::PortNumber(" 0 "), 0);
  EXPECT_EQ(network::PortNumber("65535"), 65535);
  for (const char *bad : {"", "  ", "65536", "-1", "9120x", "0x10", "99999999999999999999", "91 20"})
    EXPECT_FALSE(network::PortNumber(bad)) << bad;
  const char raw[] = {'s', 'e', 't', 'u', 'd', 'a', 'n'};
  EXPECT_EQ(network::PacketText(raw, 7), "setudan"); // no NUL: never read past the packet
  EXPECT_EQ(network::PacketText(raw, 3), "set");
  EXPECT_EQ(network::PacketText("New\0junk", 9), "New");
  EXPECT_EQ(network::PacketText(raw, -4), "");
  EXPECT_EQ(network::PacketText(nullptr, 10), "");
  EXPECT_EQ(network::PacketText(std::string(5000, '7').c_str(), 5000).size(), network::kMaxTextLength);
}

TEST_F(ProtocolTest, TenDeploymentTextsPlaceThePeersMarvok) {
  guest.st.netGameActive = 1, guest.st.netRoleIsClient = 1;
  guest.game.N_MenNew1Click();
  guest.st.netReceiveState = 1, guest.st.gamePhase = game::Waiting;
  Feed(guest, {"3", "2", "5", "5", "10", "9", "2", "10", "7"});
  EXPECT_EQ(guest.st.netReceiveState, 10);
  Feed(guest, {"1"});
  Board expected;
  for (Cell cell : {Cell{2, 3}, Cell{5, 5}, Cell{9, 10}, Cell{10, 2}, Cell{1, 7}})
    expected.At(cell.row, cell.column) = game::Piece;
  EXPECT_EQ(guest.st.opponentBoard, expected);
  EXPECT_EQ(guest.st.netReceiveState, 0);
  EXPECT_EQ(guest.st.gamePhase, 0);
  EXPECT_EQ(guest.ui.Caption(Label::N_LabMessage1), "自軍Marvokを配置してください。");

  // The host: "Condition" from any state, then pairs that name no cell place
  // nothing while the count goes on; the tenth text opens its first turn.
  host.st.netGameActive = 1, host.st.netRoleIsClient = 0;
  host.game.N_MenNew1Click();
  host.st.netReceiveState = game::NetExchangingMoves;
  Feed(host, {"Condition", "0", "3", "11", "4", "-1", "5", "abc", "", "05"});
  EXPECT_EQ(host.st.netReceiveState, 10);
  const std::string noNul = "7";
  host.match.N_PacketClientSocket1PacketArrived(noNul.data(), 1);
  EXPECT_EQ(host.st.opponentBoard, Board{});
  EXPECT_EQ(host.st.netReceiveState, game::NetExchangingMoves);
  EXPECT_EQ(host.st.gamePhase, game::SearchTurn);
  EXPECT_TRUE(host.ui.Enabled(Timer::N_TimTimer1));
  EXPECT_EQ(host.ui.Caption(Label::N_LabMessage1), "ゲーム開始。");
  // The keywords of the other role are ignored.
  Feed(host, {"Condit11"});
  Feed(guest, {"Condition"});
  EXPECT_EQ(host.st.netReceiveState, game::NetExchangingMoves);
  EXPECT_EQ(guest.st.netReceiveState, 0);
}

TEST_F(ProtocolTest, EchoRuleTellsThePeersPairsFromOwnEchoes) {
  struct Row {
    bool guest;
    int toggleBefore;
    bool applied;
  };
  for (Row row : {Row{false, 0, false}, Row{false, 1, true}, Row{true, 0, true}, Row{true, 1, false}})
    for (bool pass : {false, true}) {
      MatchWorld fresh;
      MatchSide &side = fresh.host;
      InMoveExchange(side, row.guest, row.toggleBefore);
      Feed(side, {pass ? "0" : "6"});
      EXPECT_EQ(side.st.moveTextToggle, 1);
      Feed(side, {pass ? "0" : "4"});
      side.NoteAppliedSearch();
      const std::string what = std::string(row.guest ? "guest" : "host") + " toggle " +
                               std::to_string(row.toggleBefore) + (pass ? " pass" : " move");
      EXPECT_EQ(side.st.moveTextToggle, 0) << what;
      EXPECT_EQ(side.st.echoSkipToggle, 1 - row.toggleBefore) << what;
      EXPECT_EQ(side.ui.Enabled(Timer::N_TimTurn1), row.applied) << what;
      EXPECT_EQ(side.applied, (row.applied && !pass ? std::vector<Cell>{{4, 6}} : std::vector<Cell>{}))
          << what;
      EXPECT_EQ(side.st.ownPiecesLeft, row.applied && !pass ? 4 : 5) << what;
    }
  // The guest's first applied pair of a game opens its turn with N_TimTurn2.
  InMoveExchange(guest, true, 0);
  guest.st.guestFirstTurnDone = 0;
  Feed(guest, {"0", "0"});
  EXPECT_TRUE(guest.ui.Enabled(Timer::N_TimTurn2));
  EXPECT_FALSE(guest.ui.Enabled(Timer::N_TimTurn1));
  EXPECT_EQ(guest.st.guestFirstTurnDone, 1);
}

TEST_F(ProtocolTest, HostilePacketsNeverSearchOffTheFieldOrThrow) {
  InMoveExchange(host, false, 1);
  const std::string big(1 << 20, '3');
  const std::vector<std::pair<std::string, std::string>> pairs{
      {"11", "3"}, {"0", "5"}, {"abc", "1"}, {"", ""}, {"3", "-1"}, {"10", "11"}, {big, "2"}, {"6", "4"}};
  for (const auto &[column, row] : pairs) {
    host.st.echoSkipToggle = 1;
    host.ui.SetEnabled(Timer::N_TimTurn1, false);
    host.match.N_PacketClientSocket1PacketArrived(column.data(), static_cast<int>(column.size())); // no NUL
    host.match.N_PacketClientSocket1PacketArrived(row.c_str(), static_cast<int>(row.size() + 1));
    EXPECT_TRUE(host.ui.Enabled(Timer::N_TimTurn1)) << "a bad pair still hands the turn back";
  }
  host.NoteAppliedSearch();
  EXPECT_EQ(host.applied, (std::vector<Cell>{{4, 6}}));
  EXPECT_LE(host.st.rxMoveColumnText.size(), network::kMaxTextLength);
  // Empty, negative and absent payloads are texts that mean nothing.
  host.match.N_PacketClientSocket1PacketArrived(nullptr, 0);
  host.match.N_PacketClientSocket1PacketArrived("x", -7);
  host.match.N_PacketClientSocket1PacketArrived(nullptr, 100);
  EXPECT_EQ(host.st.moveTextToggle, 1);

  // After the match, nothing is taken from texts still buffered.
  InMoveExchange(guest, true, 0);
  guest.st.netGameActive = 0;
  const game::GameState before = guest.st;
  Feed(guest, {"4", "6", "Condit11", "New", "Condition", "setudan"});
  EXPECT_EQ(guest.st.moveTextToggle, before.moveTextToggle);
  EXPECT_EQ(guest.st.gamePhase, before.gamePhase);
  EXPECT_EQ(guest.st.ownBoard, before.ownBoard);
  EXPECT_EQ(guest.ui.Caption(Label::N_LabMessage1), "");
}

TEST_F(ProtocolTest, DisconnectStepsRunInOrderAndLeaveTheGame) {
  ASSERT_TRUE(world.Connect());
  host.Click(2, 3);
  host.Click(5, 5);
  Feed(guest, {"3"}); // the guest is half-way through a deployment pair
  guest.st.moveTextToggle = 1;
  const Board guestBoard = guest.st.ownBoard, hostBoard = host.st.ownBoard;
  std::vector<std::string> seen;
  guest.sockets.onCall = [&](const std::string &call) {
    seen.push_back(call + " active=" + std::to_string(guest.st.netGameActive) +
                   " menus=" + std::to_string(guest.ui.Enabled(MenuItem::N_MenNew1)));
  };
  Feed(guest, {"setudan"});
  EXPECT_EQ(seen, (std::vector<std::string>{"client-active:0 active=0 menus=0",
                                            "server-active:0 active=0 menus=0"}));
  EXPECT_EQ(guest.st.netGameActive, 0);
  for (MenuItem item :
       {MenuItem::N_MenNew1, MenuItem::N_MenLevel1, MenuItem::N_MenLevel2, MenuItem::N_MenLevel3})
    EXPECT_TRUE(guest.ui.Enabled(item));
  EXPECT_EQ(guest.PortraitStages(), "wipe=0 stage=0 disconnected=1 work=Cast0.bmp cast=Face2.bmp wiping");
  EXPECT_FALSE(guest.ui.Enabled(Timer::N_TimTimer1));
  EXPECT_TRUE(guest.dialog.connectMode);
  EXPECT_EQ(guest.ui.Caption(Label::N_LabMessage1), "切断されました。");
  EXPECT_EQ(guest.st.gamePhase, game::Waiting);
  EXPECT_EQ((std::vector<int>{guest.st.netReceiveState, guest.st.moveTextToggle}), (std::vector<int>{0, 0}));
  EXPECT_EQ(guest.st.ownBoard, guestBoard);

  // The host sees its guest's connection close: the same steps there, its
  // deployment kept.
  ASSERT_TRUE(world.RunUntil([&] { return host.st.netGameActive == 0; }, 1000));
  EXPECT_EQ(host.ui.Caption(Label::N_LabMessage1), "切断されました。");
  EXPECT_FALSE(host.sockets.Listening());
  EXPECT_EQ(host.st.ownBoard, hostBoard);
  EXPECT_TRUE(host.dialog.connectMode);
}

TEST_F(ProtocolTest, HostAcceptsItsOwnClientThenOneGuest) {
  host.dialog.server = true;
  world.Do([&] { host.match.N_ButAccess1Click(); });
  ASSERT_TRUE(world.RunUntil([&] { return host.sockets.ServerConnectionCount() == 1; }, 100));
  EXPECT_EQ(host.ui.Caption(Label::N_LabMessage1), "ログイン：localhost\n対戦相手を待っています・・・・・。");
  EXPECT_EQ(host.st.gamePhase, game::Waiting);

  world.Do([&] { guest.match.N_ButAccess1Click(); });
  ASSERT_TRUE(world.RunUntil([&] { return host.sockets.ServerConnectionCount() == 2; }, 100));
  EXPECT_EQ(host.ui.messages.end()[-2], "ログイン：guest-pc\n対戦相手を待っています・・・・・。");
  EXPECT_EQ(host.ui.Caption(Label::N_LabMessage1),
            "対戦相手が見つかりました。\n自軍Marvokを配置してください。");
  EXPECT_EQ(host.st.gamePhase, 0);
  EXPECT_TRUE(host.ui.Enabled(Timer::N_TimEffect2));

  // A third connection mid-deployment is closed and changes nothing.
  world.Do([&] { host.Click(2, 2); });
  FakeSockets intruder(world.net, "intruder");
  world.Do([&] {
    intruder.SetClientHost("localhost");
    intruder.SetClientPort(9120);
    intruder.SetClientActive(true);
  });
  ASSERT_TRUE(world.RunUntil([&] { return !intruder.ClientActive(); }, 100));
  EXPECT_EQ(host.sockets.ServerConnectionCount(), 2);
  EXPECT_EQ(host.st.gamePhase, 1);
  EXPECT_EQ(host.st.netGameActive, 1);
  EXPECT_NE(host.ui.Caption(Label::N_LabMessage1).rfind("ログイン", 0), 0u);
  world.Do([&] { host.Click(3, 3); });
  EXPECT_EQ(host.st.gamePhase, 2);
}

TEST_F(ProtocolTest, APairBeforeTheFirstTickWaitsForIt) {
  InMoveExchange(host, false, 1);
  host.st.ownPiecesLeft = 1; // the peer's move will be the last hit
  host.ui.SetEnabled(Timer::N_TimTurn1, true);
  host.st.turnTick = 0;
  world.Do([&] { Feed(host, {"6", "4"}); });
  host.NoteAppliedSearch();
  EXPECT_TRUE(host.applied.empty());
  EXPECT_EQ(host.st.gameOver, 0);

  world.clock.Advance(1000); // tick 1: the opponent's view, then the kept move
  EXPECT_EQ(host.applied, (std::vector<Cell>{{4, 6}}));
  EXPECT_EQ(host.st.gameOver, 1);
  EXPECT_EQ(host.st.turnTick, 1);
  EXPECT_TRUE(host.ui.Enabled(Timer::N_TimTurn1));
  host.ui.answers = {platform::IDNO};
  world.clock.Advance(2000); // ticks 2 and 3: the loser's question
  ASSERT_EQ(host.ui.boxes.size(), 1u);
  EXPECT_EQ(host.ui.boxes[0].text, "再戦しますか？");
  EXPECT_FALSE(host.ui.Enabled(Timer::N_TimTurn1));
}

} // namespace
