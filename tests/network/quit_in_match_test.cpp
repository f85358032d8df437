// Quitting the program as a user does while a peer is connected on
// 127.0.0.1: a confirmed quit in a match sends "setudan" before the settings
// file is written; No, or no match, sends nothing.
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

#include "tests/support/MainWindowRig.h"
#include "tests/support/FreePort.h"
#include "tests/support/Waits.h"

namespace {

const QByteArray kSetudanPacket("\x0c\0\0\0setudan\0", 12); // length word counting itself, text, NUL
const std::vector<std::string> kSetudan{std::string("setudan", 8)};

// The main window, noting each packet it sends and whether the settings file
// was there at that moment.
class NotingWindow : public TN_FrmMain1 {
public:
  void SendPacket(const void *data, int size) override {
    sent.emplace_back(static_cast<const char *>(data), static_cast<std::size_t>(size));
    fileBeforeSend = fileBeforeSend || QFile::exists("SeveData.qvd");
    TN_FrmMain1::SendPacket(data, size);
  }
  std::vector<std::string> sent;
  bool fileBeforeSend = false;
};

struct QuitInMatchTest : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(rig.Copied());
    ASSERT_TRUE(testsupport::WaitFor([&] { return rig.St().ownPiecesLeft == 5; })); // start-up ran
    window->show();
  }
  // The window hosts; a plain socket joins as the peer.
  void HostWithPeer() {
    rig.Connect(true, port);
    peer.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    ASSERT_TRUE(peer.waitForConnected(testsupport::kWaitMs));
    ASSERT_TRUE(testsupport::WaitFor([&] { return rig.St().gamePhase == 0; })) << "the match began";
  }
  // The program ends; what has reached the peer by then.
  QByteArray AtThePeerAfterTheEnd(QTcpSocket &socket) {
    rig.window.reset();
    EXPECT_TRUE(testsupport::WaitFor([&] { return socket.bytesAvailable() >= kSetudanPacket.size(); }))
        << "setudan reached the peer";
    return socket.readAll();
  }

  apptest::MainWindowRig<NotingWindow, testsupport::GameFolderCopy> rig;
  NotingWindow *window = rig.window.get();
  int port = testsupport::FreePort();
  QTcpSocket peer;
};

// Guards "setudan" going to the peer through the host's relay when the user
// confirms quitting in a match, before the settings file is written and
// before the program (and with it the relay) ends.
TEST_F(QuitInMatchTest, HostQuittingInAMatchSendsSetudanThroughItsRelay) {
  HostWithPeer();
  QTest::keyClick(window, Qt::Key_Escape); // answered No
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(rig.Texts(), std::vector<std::string>{"終了してよろしいですか？"});
  EXPECT_TRUE(window->sent.empty()); // and the peer gets nothing but the "setudan" below
  EXPECT_EQ(rig.Read("SeveData.qvd"), "(none)");

  rig.fallback = platform::IDYES;
  EXPECT_TRUE(window->close());
  EXPECT_EQ(window->sent, kSetudan);
  EXPECT_FALSE(window->fileBeforeSend);
  EXPECT_EQ(rig.Read("SeveData.qvd"), "0\r\n");
  EXPECT_EQ(AtThePeerAfterTheEnd(peer), kSetudanPacket);
}

// Guards the guest's "setudan" reaching the host although the program ends at
// once after the quit.
TEST_F(QuitInMatchTest, GuestQuittingReachesTheHostBeforeTheProgramEnds) {
  QTcpServer host; // the host's end of the guest's connection
  ASSERT_TRUE(host.listen(QHostAddress::LocalHost, static_cast<quint16>(port)));
  rig.Connect(false, port);
  ASSERT_TRUE(testsupport::WaitFor([&] { return host.hasPendingConnections(); })) << "the guest connected";
  std::unique_ptr<QTcpSocket> guest(host.nextPendingConnection());
  rig.fallback = platform::IDYES;
  EXPECT_TRUE(window->close());
  EXPECT_EQ(AtThePeerAfterTheEnd(*guest), kSetudanPacket);
}

// Guards quitting with no match on: nothing is sent, the file is written.
TEST_F(QuitInMatchTest, QuittingAfterTheMatchEndedSendsNothing) {
  HostWithPeer();
  peer.write(kSetudanPacket); // the peer ends the match
  ASSERT_TRUE(testsupport::WaitFor([&] { return rig.St().netGameActive == 0; })) << "the match ended";
  rig.fallback = platform::IDYES;
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(window->sent.empty());
  EXPECT_EQ(rig.Read("SeveData.qvd"), "0\r\n");
  EXPECT_EQ(rig.Texts(), std::vector<std::string>{"終了してよろしいですか？"});
}

} // namespace
