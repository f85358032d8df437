// Two copies of the real program, each in a folder of its own, offscreen,
// play a scripted match against each other on 127.0.0.1 and disconnect
// (each copy is the tests' driver: the program plus a scripted player). A
// copy that hangs is killed when the bounded wait runs out, and the test fails.
#include <QProcess>
#include <gtest/gtest.h>

#include "tests/support/FreePort.h"
#include "tests/support/GameFolder.h"
#include "tests/support/Waits.h"

namespace {

void Start(QProcess &process, const QString &folder, const QString &script) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  process.setProcessEnvironment(environment);
  process.setWorkingDirectory(folder);
  process.start(MARVOK_AUTOPLAY_DRIVER, QStringList{script});
}

TEST(TwoProgramsTest, HostAndGuestPlayTwoGamesAndDisconnect) {
  QTemporaryDir hostFolder, guestFolder;
  ASSERT_TRUE(hostFolder.isValid() && guestFolder.isValid());
  ASSERT_TRUE(testsupport::CopyGameFolder(hostFolder.path()) &&
              testsupport::CopyGameFolder(guestFolder.path()));
  const QString port = QString::number(testsupport::FreePort());

  QProcess host, guest;
  QString hostOut;
  Start(host, hostFolder.path(), "host:" + port);
  ASSERT_TRUE(host.waitForStarted(testsupport::kWaitMs)) << host.errorString().toStdString();
  ASSERT_TRUE(testsupport::WaitFor([&] {
    return (hostOut += host.readAllStandardOutput()).contains("AUTOPLAY listening");
  })) << "the host copy listening: "
      << hostOut.toStdString() << host.readAllStandardError().toStdString();
  Start(guest, guestFolder.path(), "guest:" + port);
  ASSERT_TRUE(guest.waitForStarted(testsupport::kWaitMs)) << guest.errorString().toStdString();

  // Each copy ends its match by itself within 200 s, or says it ran out of time.
  const auto finished = testsupport::WaitFor(
      [&] { return host.state() == QProcess::NotRunning && guest.state() == QProcess::NotRunning; }, 250000);
  for (QProcess *copy : {&host, &guest})
    if (copy->state() != QProcess::NotRunning) {
      copy->kill();
      copy->waitForFinished(testsupport::kWaitMs);
    }
  hostOut += host.readAllStandardOutput();
  const QString guestOut = guest.readAllStandardOutput();
  ASSERT_TRUE(finished) << "both copies finished\nhost: " << hostOut.toStdString()
                        << "\nguest: " << guestOut.toStdString() << host.readAllStandardError().toStdString()
                        << guest.readAllStandardError().toStdString();
  EXPECT_TRUE(hostOut.contains("AUTOPLAY done role=host ownWins=1 opponentWins=1")) << hostOut.toStdString();
  EXPECT_TRUE(guestOut.contains("AUTOPLAY done role=guest ownWins=1 opponentWins=1"))
      << guestOut.toStdString();
  // Each copy quit through the closing question and wrote its settings file.
  for (auto [copy, folder] : {std::pair{&host, &hostFolder}, {&guest, &guestFolder}}) {
    EXPECT_EQ(copy->exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(QFile::exists(folder->filePath("SeveData.qvd")));
  }
}

} // namespace
