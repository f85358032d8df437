#pragma once
// What the network match needs of the network settings dialog: its fields
// and its two modes. The dialog window implements it; tests fake it.
#include <string>

namespace network {

class NetworkDialogOps {
public:
  virtual ~NetworkDialogOps() = default;

  virtual std::string HostText() const = 0;
  virtual std::string PortText() const = 0;
  virtual bool ServerChecked() const = 0;
  // Connect mode: host, port and the check box enabled, the button reads
  // "接続(&U)". Disconnect mode: all three disabled, "切断(&U)".
  virtual void SetConnectMode(bool connect) = 0;
  // Told apart by whether the host box is enabled.
  virtual bool InConnectMode() const = 0;
  // Shown and brought to the front; modeless.
  virtual void ShowDialog() = 0;
  virtual void HideDialog() = 0;
};

} // namespace network
