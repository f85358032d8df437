#pragma once
// The packet client component: one client connection socket with its framing
// engine. Activating it without a server (Host and Address empty, or Port 0
// and Service empty) or with AlwaysShowDialog asks for one in the
// "サーバ情報の入力" dialog first; the connection is tried whatever the dialog's
// outcome. A failed open, look-up or connect leaves Active false.
//
// Packet handlers get the client connection socket as Sender (and Socket).
// The component must not be destroyed inside one of its own handlers.
#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "packetsockets/SocketPacketRW.h"
#include "platform/net/ClientWinSocket.h"
#include "platform/net/CustomSocket.h"

namespace Zev {

// Offered the default dialog in Form; may leave it, put another form there
// (which stays the handler's to free) or set it to null (no dialog).
using TGetDialogFormEvent = std::function<void(QDialog *&Form)>;
// Shows a form modally and returns its result (QDialog::Accepted for OK).
using TShowModalEvent = std::function<int(QDialog &Form)>;

class TPacketClientSocket : public platform::TCustomSocket {
public:
  TPacketClientSocket();
  ~TPacketClientSocket() override;

  bool AlwaysShowDialog() const { return FAlwaysShowDialog; }
  void SetAlwaysShowDialog(bool Value) { FAlwaysShowDialog = Value; }
  TGetDialogFormEvent OnGetDialogForm() const { return FOnGetDialogForm; }
  void SetOnGetDialogForm(TGetDialogFormEvent handler) { FOnGetDialogForm = std::move(handler); }
  // Replaces QDialog::exec (tests answer the dialog without showing it).
  void SetShowModal(TShowModalEvent handler);

  TPacketArrivedEvent GetOnPacketArrived() const { return FPacketRW->OnPacketArrived(); }
  void SetOnPacketArrived(TPacketArrivedEvent handler) { FPacketRW->SetOnPacketArrived(std::move(handler)); }

  platform::TClientWinSocket *Socket() const { return FClientSocket.get(); }

  void SendPacket(const void *data, int size) { FPacketRW->SendPacket(data, size); }
  void SendPacket(platform::TStream *stream, int size) { FPacketRW->SendPacket(stream, size); }
  platform::TStream *PacketBegin() { return FPacketRW->PacketBegin(); }
  void PacketEnd() { FPacketRW->PacketEnd(); }
  void PacketDiscard() { FPacketRW->PacketDiscard(); }
  const TSocketPacketRW &PacketRW() const { return *FPacketRW; }
  // Bytes queued here, not yet handed to the kernel.
  std::int64_t QueuedBytes() const { return FPacketRW->WriteBuffer().Size(); }
  // Waits, at most timeoutMs in all, until every queued byte has been handed
  // to the kernel; true when it has. For the last packet before the program
  // ends (a packet still being built is not sent).
  bool FlushPackets(int timeoutMs);

  [[noreturn]] void RaiseException(const std::string &Message);

protected:
  void DoActivate(bool Value) override;
  // The dialog exchange: the component's values into the form, and after OK
  // the form's values back, under the loading mark.
  void GetHostInfo();

private:
  // The default dialog, or what OnGetDialogForm put in its place.
  QDialog *GetDialogForm(std::unique_ptr<QDialog> &defaultDialog);
  QVariant PropertyValue(const char *name) const;
  void ApplyProperty(const char *name, const QVariant &value);

  bool FAlwaysShowDialog = false;
  std::unique_ptr<platform::TClientWinSocket> FClientSocket;
  std::unique_ptr<TSocketPacketRW> FPacketRW;
  TGetDialogFormEvent FOnGetDialogForm;
  TShowModalEvent FShowModal;
};

} // namespace Zev
