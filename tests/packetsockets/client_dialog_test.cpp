// When the packet client asks for its server, and how the dialog's values
// travel: by property name, in the order Host, Address, Port, Service.
#include <QDialog>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "packetsockets/PacketClientSocket.h"
#include "packetsockets/PacketServerSocket.h"
#include "packetsockets/ServerSpecifyForm.h"
#include "tests/support/LoopbackHelpers.h"
#include "tests/support/ErrorOf.h"

using testsupport::ErrorOf;
using Zev::TPacketClientSocket;

namespace {

// A form of any class with the four properties; records every access.
class FakeServerForm : public QDialog {
  Q_OBJECT
  Q_PROPERTY(QString Host READ Host WRITE SetHost)
  Q_PROPERTY(QString Address READ Address WRITE SetAddress)
  Q_PROPERTY(int Port READ Port WRITE SetPort)
  Q_PROPERTY(QString Service READ Service WRITE SetService)

public:
  std::vector<std::string> log;
  QString host, address, service;
  int port = 0;

  QString Host() const { return Note("get Host"), host; }
  void SetHost(const QString &v) { Note("set Host"), host = v; }
  QString Address() const { return Note("get Address"), address; }
  void SetAddress(const QString &v) { Note("set Address"), address = v; }
  int Port() const { return Note("get Port"), port; }
  void SetPort(int v) { Note("set Port"), port = v; }
  QString Service() const { return Note("get Service"), service; }
  void SetService(const QString &v) { Note("set Service"), service = v; }

private:
  void Note(const char *what) const { const_cast<FakeServerForm *>(this)->log.emplace_back(what); }
};

// A form whose Port is of a kind the exchange does not handle.
class WideForm : public QDialog {
  Q_OBJECT
  Q_PROPERTY(qlonglong Port READ Port WRITE SetPort)

public:
  qlonglong Port() const { return 0; }
  void SetPort(qlonglong) {}
};

// The dialog shows only when the server is incomplete (or always is set);
// after Cancel the attempt is made with the values the component had.
TEST(ClientDialog, ShowsOnlyWhenTheServerIsIncomplete) {
  const struct {
    bool always;
    std::string host, address;
    bool havePort;
    std::string service; // "port": the port's number as the service
    bool expectDialog;
  } cases[] = {
      {false, "localhost", "", true, "", false},      {false, "", "127.0.0.1", true, "", false},
      {false, "localhost", "", false, "port", false}, {false, "", "", true, "", true}, // no host, no address
      {false, "localhost", "", false, "", true},                                       // port 0, no service
      {true, "localhost", "", true, "", true},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.host + "/" + c.address + "/" + c.service);
    const int port = testsupport::FreePort();
    TPacketClientSocket client;
    client.SetAlwaysShowDialog(c.always);
    client.SetHost(c.host);
    client.SetAddress(c.address);
    client.SetPort(c.havePort ? port : 0);
    client.SetService(c.service == "port" ? std::to_string(port) : c.service);
    int shown = 0;
    client.SetShowModal([&](QDialog &) { return ++shown, int(QDialog::Rejected); });
    const std::string error = ErrorOf([&] { client.SetActive(true); });
    EXPECT_EQ(shown, c.expectDialog ? 1 : 0);
    const bool noAddress = c.host.empty() && c.address.empty();
    EXPECT_EQ(error, noAddress ? platform::NoAddressText : "");
    EXPECT_EQ(client.Active(), !noAddress);
    EXPECT_EQ(client.Socket()->HandleAllocated(), !noAddress);
    client.SetActive(false);
  }
}

TEST(ClientDialog, OkExchangesByNameInOrderAndConnectsWithTheNewValues) {
  Zev::TPacketServerSocket server;
  server.SetActive(true);
  TPacketClientSocket client;
  client.SetPort(1234);
  FakeServerForm form; // the handler's own form, not the default one
  client.SetOnGetDialogForm([&](QDialog *&Form) { Form = &form; });
  client.SetShowModal([&](QDialog &shown) {
    EXPECT_EQ(&shown, &form);
    EXPECT_EQ(form.port, 1234); // the component's values went in first
    form.host = "127.0.0.1";
    form.port = server.Socket()->LocalPort();
    return int(QDialog::Accepted);
  });
  bool activeAtLookup = false;
  client.SetOnLookup([&](auto *, auto *) { activeAtLookup = client.Active(); });
  client.SetActive(true);

  EXPECT_EQ(form.log, (std::vector<std::string>{"set Host", "set Address", "set Port", "set Service",
                                                "get Host", "get Address", "get Port", "get Service"}));
  EXPECT_EQ(client.Host(), "127.0.0.1");
  EXPECT_EQ(client.Port(), server.Socket()->LocalPort());
  EXPECT_TRUE(activeAtLookup); // Active reads true before the connection is opened
  EXPECT_FALSE(client.Loading());
  EXPECT_TRUE(loopback::PumpUntil([&] { return client.Socket()->Connected(); }));
}

TEST(ClientDialog, DefaultFormCarriesHostAndPortBothWays) {
  TPacketClientSocket client;
  client.SetPort(0);
  const int port = testsupport::FreePort();
  client.SetShowModal([&](QDialog &form) {
    auto *host = form.findChild<QLineEdit *>("EditHost");
    auto *portEdit = form.findChild<QLineEdit *>("EditPort");
    EXPECT_EQ(form.windowTitle(), "サーバ情報の入力");
    EXPECT_EQ(host->text(), "");
    EXPECT_EQ(portEdit->text(), "0");
    host->setText("127.0.0.1");
    portEdit->setText(QString::number(port));
    return int(QDialog::Accepted);
  });
  client.SetActive(true);
  EXPECT_EQ(client.Host(), "127.0.0.1");
  EXPECT_EQ(client.Port(), port);
  EXPECT_TRUE(client.Socket()->Connecting());
  client.SetActive(false);
}

TEST(ClientDialog, PortTextThatIsNoIntegerOpensNothing) {
  TPacketClientSocket client;
  client.SetShowModal([](QDialog &form) {
    form.findChild<QLineEdit *>("EditHost")->setText("localhost");
    form.findChild<QLineEdit *>("EditPort")->setText("91x0");
    return int(QDialog::Accepted);
  });
  EXPECT_EQ(ErrorOf([&] { client.SetActive(true); }), "'91x0' は有効な整数値ではありません.");
  EXPECT_FALSE(client.Active());
  EXPECT_FALSE(client.Loading());
  EXPECT_FALSE(client.Socket()->HandleAllocated());
}

TEST(ClientDialog, NoFormMeansNoDialogAndTheAttemptWithTheOldValues) {
  TPacketClientSocket client;
  int shown = 0;
  client.SetShowModal([&](QDialog &) { return ++shown, int(QDialog::Accepted); });
  client.SetOnGetDialogForm([](QDialog *&Form) { Form = nullptr; });
  EXPECT_EQ(ErrorOf([&] { client.SetActive(true); }), platform::NoAddressText);
  EXPECT_EQ(shown, 0);
  EXPECT_FALSE(client.Active());
}

TEST(ClientDialog, UnsupportedPropertyKindIsRefusedAndTheComponentIsUsableAgain) {
  TPacketClientSocket client;
  WideForm form;
  client.SetOnGetDialogForm([&](QDialog *&Form) { Form = &form; });
  EXPECT_EQ(ErrorOf([&] { client.SetActive(true); }), "このプロパティは扱えません. [WideForm::Port]");
  EXPECT_FALSE(client.Loading());
  EXPECT_FALSE(client.Active());
  client.SetOnGetDialogForm(nullptr);
  client.SetHost("localhost");
  client.SetPort(testsupport::FreePort());
  client.SetActive(true);
  EXPECT_TRUE(client.Socket()->Connecting());
  client.SetActive(false);
}

} // namespace

#include "client_dialog_test.moc"
