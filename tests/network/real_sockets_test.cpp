// Two main windows in one process play through the real packet sockets on
// 127.0.0.1, and a hostile client cannot hurt the host. Every wait is bounded.
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/TN_FrmMain1.h"
#include "game/SearchRule.h"
#include "network/TN_FrmSub2.h"
#include "platform/core/MessageBox.h"
#include "system/TN_FrmSystem1.h"
#include "tests/support/TestPaths.h"

using game::Label;

namespace {

int FreePort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();
}

// One copy of the program's windows, as WinMain makes them.
struct Program {
  Program() {
    window.AttachSystemWindow(system);
    window.AttachNetworkDialog(dialog);
  }

  void Press(bool host, int port) {
    dialog.N_EdiNet1->setText("127.0.0.1");
    dialog.N_EdiNet2->setText(QString::number(port));
    dialog.N_CheAccess1->setChecked(host);
    dialog.N_ButAccess1->click();
  }
  game::GameState &St() { return window.State(); }
  void Click(int row, int column) { window.Game().CellMouseDown(game::CellNumber(row, column)); }

  TN_FrmMain1 window;
  TN_FrmSystem1 system;
  TN_FrmSub2 dialog;
};

struct RealSocketsTest : ::testing::Test {
  void SetUp() override {
    previousDir_ = QDir::currentPath();
    QDir::setCurrent(testpaths::GameDir());
    previous_ = platform::SetMessageBoxResponder([this](const platform::MessageBoxRequest &request) {
      boxes.push_back(request.text);
      return request.text == "再戦しますか？" ? platform::IDNO : platform::IDOK;
    });
    host = std::make_unique<Program>();
    guest = std::make_unique<Program>();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return host->St().ownPiecesLeft == 5 && guest->St().ownPiecesLeft == 5; }, 3000));
  }
  void TearDown() override {
    guest.reset();
    host.reset();
    platform::SetMessageBoxResponder(previous_);
    QDir::setCurrent(previousDir_);
  }
  static bool Wait(const std::function<bool()> &done, int ms = 5000) { return QTest::qWaitFor(done, ms); }

  std::vector<std::string> boxes;
  std::unique_ptr<Program> host, guest;
  QString previousDir_;
  platform::MessageBoxResponder previous_;
};

TEST_F(RealSocketsTest, TwoWindowsPlayAMatchThroughTheRelay) {
  const int port = FreePort();
  host->Press(true, port);
  guest->Press(false, port);
  ASSERT_TRUE(Wait([&] { return host->St().gamePhase == 0 && host->St().netReceiveState == 0; }));
  EXPECT_EQ(host->window.Caption(Label::N_LabMessage1),
            "対戦相手が見つかりました。\n自軍Marvokを配置してください。");

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
  EXPECT_EQ(host->window.Caption(Label::N_LabMessage1), "勝ちです♪やりました！");
  EXPECT_EQ(host->window.Caption(Label::N_LabScore1), "1");
  EXPECT_EQ(guest->window.Caption(Label::N_LabScore9), "1");
  EXPECT_EQ(guest->St().ownPiecesLeft, 0);
  EXPECT_EQ(std::count(boxes.begin(), boxes.end(), "再戦しますか？"), 1);

  host->dialog.N_ButAccess1->click(); // 切断
  ASSERT_TRUE(Wait([&] { return host->St().netGameActive == 0 && guest->St().netGameActive == 0; }));
  for (Program *side : {host.get(), guest.get()}) {
    EXPECT_EQ(side->window.Caption(Label::N_LabMessage1), "切断されました。");
    EXPECT_TRUE(side->dialog.InConnectMode());
  }
  EXPECT_EQ(boxes.size(), 1u) << boxes.back();
}

TEST_F(RealSocketsTest, HostileGuestCannotHurtTheHost) {
  const int port = FreePort();
  host->Press(true, port);
  ASSERT_TRUE(Wait([&] { return host->St().gamePhase == game::Waiting && host->St().netGameActive == 1; }));

  // The "guest" floods the relay with the largest packets and never reads:
  // the host closes it before its queue takes all memory, and the match ends.
  QTcpSocket intruder;
  intruder.setReadBufferSize(1024);
  intruder.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
  ASSERT_TRUE(intruder.waitForConnected(3000));
  ASSERT_TRUE(Wait([&] { return host->St().gamePhase == 0; }));
  QByteArray packet(1 << 20, 'x');
  packet[0] = 0, packet[1] = 0, packet[2] = 0x10, packet[3] = 0; // a length word of 1 MiB
  for (int i = 0; i < 128; ++i)
    intruder.write(packet);
  ASSERT_TRUE(Wait([&] { return intruder.state() == QAbstractSocket::UnconnectedState; }, 30000));
  ASSERT_TRUE(Wait([&] { return host->St().netGameActive == 0; }));
  EXPECT_EQ(host->window.Caption(Label::N_LabMessage1), "切断されました。");

  // Connected again: a bad length word only costs the sender its connection.
  host->Press(true, port);
  ASSERT_TRUE(Wait([&] { return host->St().gamePhase == game::Waiting && host->St().netGameActive == 1; }));
  QTcpSocket liar;
  liar.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
  ASSERT_TRUE(liar.waitForConnected(3000));
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
