#pragma once
// The network settings dialog "ネットワーク設定": host and port to connect to,
// "サーバー待機" to host, and the connect / disconnect button. Modeless; it
// lives hidden from start-up until the program ends. Its two buttons are
// handled by the main window's network match.
#include <QWidget>
#include <functional>

#include "network/NetworkDialogOps.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
namespace platform {
class TLabel;
} // namespace platform

class TN_FrmSub2 : public QWidget, public network::NetworkDialogOps {
  Q_OBJECT
public:
  TN_FrmSub2();

  platform::TLabel *Label1 = nullptr;
  QLineEdit *N_EdiNet1 = nullptr;
  platform::TLabel *Label2 = nullptr;
  QLineEdit *N_EdiNet2 = nullptr;
  QCheckBox *N_CheAccess1 = nullptr;
  QPushButton *N_ButAccess1 = nullptr;
  QPushButton *Button1 = nullptr;

  // What the buttons do; exceptions are reported, never passed to Qt.
  std::function<void()> OnAccessClick;
  std::function<void()> OnCancelClick;
  void N_ButAccess1Click();
  void Button1Click();

  // NetworkDialogOps.
  std::string HostText() const override;
  std::string PortText() const override;
  bool ServerChecked() const override;
  void SetConnectMode(bool connect) override;
  bool InConnectMode() const override;
  void ShowDialog() override;
  void HideDialog() override;

private:
  bool placed_ = false;
};
