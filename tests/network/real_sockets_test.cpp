// Two main windows in one process play through the real packet sockets on
// 127.0.0.1, and a hostile client cannot hurt the host. Every wait is bounded.
#include <QTcpSocket>
#include <gtest/gtest.h>

#include "game/SearchRule.h"
#include "packetsockets/ServerSpecifyForm.h"
#include "tests/support/MainWindowRig.h"
#include "tests/support/FreePort.h"
#include "tests/support/ModalDialog.h"
#include "tests/support/Waits.h"

using game::Label;

namespace {

// One copy of the program's windows, as WinMain makes them.
struct Program : apptest::ProgramWindows<> {
  void Click(int row, int column) { window->Game().CellMouseDown(game::CellNumber(row, column)); }
};

struct RealSocketsTest : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(Wait([&] { return host->St().ownPiecesLeft == 5 && guest->St().ownPiecesLeft == 5; }))
        << "both first games began";
  }
  static ::testing::AssertionResult Wait(const std::function<bool()> &done, int ms = testsupport::kWaitMs) {
    return testsupport::WaitFor(done, ms);
  }
  // The host is connected; the guest joins, loses a game and the host ends the match.
  void GuestJoinsAndPlaysAMatch();

  testsupport::BoxRecorder boxes; // a rematch is declined
  testsupport::InFolder folder;
  std::unique_ptr<Program> host = std::make_unique<Program>(), guest = std::make_unique<Program>();
  const int port = testsupport::FreePort();
};

void RealSocketsTest::GuestJoinsAndPlaysAMatch() {
  guest->Connect(false, port);
  ASSERT_TRUE(Wait([&] { return host->St().gamePhase == 0 && host->St().netReceiveState == 0; }));

  const std::vector<game::Cell> hostCells{{2, 3}, {5, 5}, {9, 10}, {10, 2}, {1, 7}};
  const std::vector<game::Cell> guestCells{{3, 3}, {4, 8}, {7, 1}, {8, 8}, {10, 5}};
  for (game::Cell cell : hostCells)
    host->Click(cell.row, cell.column);
  ASSERT_TRUE(Wait([&] { return guest->St().gamePhase == 0; }));
  for (game::Cell cell : guestCells)
    guest->Click(cell.row, cell.column);
  for (game::Cell cell : hostCells)
    EXPECT_EQ(guest->St().opponentBoard.At(cell.row, cell.column), game::Piece);

  // The host finds the guest's five; the guest misses four times. Each side
  // clicks the moment its turn opens.
  const std::vector<game::Cell> misses{{6, 2}, {4, 4}, {8, 5}, {3, 9}};
  for (std::size_t i = 0; i < 5; ++i) {
    ASSERT_TRUE(Wait([&] { return host->St().gamePhase == game::SearchTurn; })) << i;
    host->Click(guestCells[i].row, guestCells[i].column);
    if (i == 4)
      break;
    ASSERT_TRUE(Wait([&] { return guest->St().gamePhase == game::SearchTurn; })) << i;
    guest->Click(misses[i].row, misses[i].column);
  }
  ASSERT_TRUE(Wait([&] { return guest->St().gameOver == 1 && guest->St().turnTick == 3; }));
  EXPECT_EQ(host->window->Caption(Label::N_LabMessage1), "勝ちです♪やりました！");
  EXPECT_EQ(host->window->Caption(Label::N_LabScore1), "1");
  EXPECT_EQ(guest->window->Caption(Label::N_LabScore9), "1");
  EXPECT_EQ(guest->St().ownPiecesLeft, 0);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"再戦しますか？"});

  host->dialog->N_ButAccess1->click(); // 切断
  ASSERT_TRUE(Wait([&] { return host->St().netGameActive == 0 && guest->St().netGameActive == 0; }));
  for (Program *side : {host.get(), guest.get()}) {
    EXPECT_EQ(side->window->Caption(Label::N_LabMessage1), "切断されました。");
    EXPECT_TRUE(side->dialog->InConnectMode());
  }
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"再戦しますか？"});
}

TEST_F(RealSocketsTest, TwoWindowsPlayAMatchThroughTheRelay) {
  host->Connect(true, port);
  ASSERT_NO_FATAL_FAILURE(GuestJoinsAndPlaysAMatch());
}

// With the host box left empty the host's client asks for its server once the
// server listens: a stranger that connects meanwhile is closed at once and
// changes nothing, the host's own client is known when it comes, and a guest
// then plays.
TEST_F(RealSocketsTest, StrangerBeforeTheHostsOwnClientIsClosed) {
  QTcpSocket stranger;
  bool strangerClosed = false, unchanged = false;
  testsupport::WhenModal<Zev::TFormServerSpecify> answer([&](Zev::TFormServerSpecify &form) {
    const std::string caption = host->window->Caption(Label::N_LabMessage1);
    stranger.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    strangerClosed = stranger.waitForConnected(testsupport::kWaitMs) &&
                     Wait([&] { return stranger.state() == QAbstractSocket::UnconnectedState; });
    unchanged = host->window->Caption(Label::N_LabMessage1) == caption &&
                host->St().gamePhase == game::Waiting && host->St().netGameActive == 1;
    form.SetHost("127.0.0.1");
    form.SetPort(port);
    form.accept();
  });
  host->dialog->N_EdiNet1->setText("");
  host->dialog->N_EdiNet2->setText(QString::number(port));
  host->dialog->N_CheAccess1->setChecked(true);
  host->dialog->N_ButAccess1->click();
  EXPECT_TRUE(strangerClosed) << "the stranger was not closed";
  EXPECT_TRUE(unchanged);
  ASSERT_TRUE(Wait([&] {
    return host->St().gamePhase == game::Waiting && host->St().netGameActive == 1 &&
           host->window->Caption(Label::N_LabMessage1).starts_with("ログイン：");
  })) << "the host's own client was not taken";
  ASSERT_NO_FATAL_FAILURE(GuestJoinsAndPlaysAMatch());
}

TEST_F(RealSocketsTest, HostileGuestCannotHurtTheHost) {
  host->Connect(true, port);
  ASSERT_TRUE(Wait([&] { return host->St().gamePhase == game::Waiting && host->St().netGameActive == 1; }));

  // The "guest" floods the relay with the largest packets and never reads:
  // the host closes it before its queue takes all memory, and the match ends.
  QTcpSocket intruder;
  intruder.setReadBufferSize(1024);
  intruder.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
  ASSERT_TRUE(intruder.waitForConnected(testsupport::kWaitMs));
  ASSERT_TRUE(Wait([&] { return host->St().gamePhase == 0; }));
  QByteArray packet(1 << 20, 'x');
  packet[0] = 0, packet[1] = 0, packet[2] = 0x10, packet[3] = 0; // a length word of 1 MiB
  for (int i = 0; i < 128; ++i)
    intruder.write(packet);
  ASSERT_TRUE(Wait([&] { return intruder.state() == QAbstractSocket::UnconnectedState; }, 30000));
  ASSERT_TRUE(Wait([&] { return host->St().netGameActive == 0; }));
  EXPECT_EQ(host->window->Caption(Label::N_LabMessage1), "切断されました。");

  // Connected again: a bad length word only costs the sender its connection.
  host->Connect(true, port);
  ASSERT_TRUE(Wait([&] { return host->St().gamePhase == game::Waiting && host->St().netGameActive == 1; }));
  QTcpSocket liar;
  liar.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
  ASSERT_TRUE(liar.waitForConnected(testsupport::kWaitMs));
  ASSERT_TRUE(Wait([&] { return host->St().gamePhase == 0; }));
  // A third connection is closed at once; the match goes on.
  QTcpSocket third;
  third.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
  ASSERT_TRUE(Wait([&] { return third.state() == QAbstractSocket::UnconnectedState; }));
  EXPECT_EQ(host->St().netGameActive, 1);
  EXPECT_EQ(host->St().gamePhase, 0);
  liar.write(QByteArray("\x05\x00\x00\x00"
                        "7\x02\x00\x00\x00",
                        9));
  ASSERT_TRUE(Wait([&] { return liar.state() == QAbstractSocket::UnconnectedState; }));
  ASSERT_TRUE(Wait([&] { return host->St().netGameActive == 0; }));
  host->Click(5, 5); // the window still answers
}

} // namespace
