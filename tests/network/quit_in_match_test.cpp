// Quitting the program as a user does while a peer is connected on
// 127.0.0.1: a confirmed quit in a match sends "setudan" before the settings
// file is written; No, or no match, sends nothing.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/TN_FrmMain1.h"
#include "network/TN_FrmSub2.h"
#include "platform/core/MessageBox.h"
#include "system/TN_FrmSystem1.h"
#include "tests/support/TestPaths.h"

namespace {

const QByteArray kSetudanPacket("\x0c\0\0\0setudan\0", 12); // length word counting itself, text, NUL

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
    ASSERT_TRUE(folder.isValid());
    const QDir game(testpaths::GameDir());
    for (const QString &name : game.entryList(QDir::Files))
      ASSERT_TRUE(name == "MarvokZT" || QFile::copy(game.filePath(name), folder.filePath(name)));
    previousDir = QDir::currentPath();
    QDir::setCurrent(folder.path());
    previous = platform::SetMessageBoxResponder([this](const platform::MessageBoxRequest &request) {
      boxes.push_back(request.text);
      return answer;
    });
    window = std::make_unique<NotingWindow>();
    system = std::make_unique<TN_FrmSystem1>();
    dialog = std::make_unique<TN_FrmSub2>();
    window->AttachSystemWindow(*system);
    window->AttachNetworkDialog(*dialog);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->State().ownPiecesLeft == 5; }, 3000)); // start-up ran
    window->show();
    port = FreePort();
  }
  void TearDown() override {
    window.reset();
    dialog.reset();
    system.reset();
    platform::SetMessageBoxResponder(previous);
    QDir::setCurrent(previousDir);
  }

  static int FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
  }
  void Connect(bool host) {
    dialog->N_EdiNet1->setText("127.0.0.1");
    dialog->N_EdiNet2->setText(QString::number(port));
    dialog->N_CheAccess1->setChecked(host);
    dialog->N_ButAccess1->click();
  }
  // The window hosts; a plain socket joins as the peer.
  void HostWithPeer() {
    Connect(true);
    peer.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
    ASSERT_TRUE(peer.waitForConnected(3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->State().gamePhase == 0; }, 5000));
  }
  QByteArray SettingsFile() {
    QFile file(folder.filePath("SeveData.qvd"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray("(none)");
  }

  QTemporaryDir folder;
  QString previousDir;
  platform::MessageBoxResponder previous;
  std::vector<std::string> boxes;
  int answer = platform::IDNO;
  std::unique_ptr<NotingWindow> window; // created first, as at start-up; destroyed first
  std::unique_ptr<TN_FrmSystem1> system;
  std::unique_ptr<TN_FrmSub2> dialog;
  int port = 0;
  QTcpSocket peer;
};

// Guards "setudan" going to the peer through the host's relay when the user
// confirms quitting in a match, before the settings file is written and
// before the program (and with it the relay) ends.
TEST_F(QuitInMatchTest, HostQuittingInAMatchSendsSetudanThroughItsRelay) {
  HostWithPeer();
  QTest::keyClick(window.get(), Qt::Key_Escape); // answered No
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(boxes, std::vector<std::string>{"終了してよろしいですか？"});
  EXPECT_FALSE(QTest::qWaitFor([&] { return peer.bytesAvailable() > 0; }, 300));
  EXPECT_TRUE(window->sent.empty());
  EXPECT_EQ(SettingsFile(), "(none)");

  answer = platform::IDYES;
  EXPECT_TRUE(window->close());
  EXPECT_EQ(window->sent, std::vector<std::string>{std::string("setudan", 8)});
  EXPECT_FALSE(window->fileBeforeSend);
  EXPECT_EQ(SettingsFile(), "0");
  window.reset(); // the program ends
  EXPECT_TRUE(QTest::qWaitFor([&] { return peer.bytesAvailable() >= kSetudanPacket.size(); }, 3000));
  EXPECT_EQ(peer.readAll(), kSetudanPacket);
}

// Guards the guest's "setudan" reaching the host although the program ends at
// once after the quit.
TEST_F(QuitInMatchTest, GuestQuittingReachesTheHostBeforeTheProgramEnds) {
  QTcpServer host; // the host's end of the guest's connection
  ASSERT_TRUE(host.listen(QHostAddress::LocalHost, static_cast<quint16>(port)));
  Connect(false);
  ASSERT_TRUE(QTest::qWaitFor([&] { return host.hasPendingConnections(); }, 3000));
  std::unique_ptr<QTcpSocket> guest(host.nextPendingConnection());
  answer = platform::IDYES;
  EXPECT_TRUE(window->close());
  window.reset(); // the program ends
  EXPECT_TRUE(QTest::qWaitFor([&] { return guest->bytesAvailable() >= kSetudanPacket.size(); }, 3000));
  EXPECT_EQ(guest->readAll(), kSetudanPacket);
}

// Guards quitting with no match on: nothing is sent, the file is written.
TEST_F(QuitInMatchTest, QuittingAfterTheMatchEndedSendsNothing) {
  HostWithPeer();
  peer.write(kSetudanPacket); // the peer ends the match
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->State().netGameActive == 0; }, 3000));
  answer = platform::IDYES;
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(window->sent.empty());
  EXPECT_EQ(SettingsFile(), "0");
  EXPECT_EQ(boxes, std::vector<std::string>{"終了してよろしいですか？"});
}

} // namespace
