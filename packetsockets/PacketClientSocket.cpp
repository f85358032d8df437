#include "packetsockets/PacketClientSocket.h"

#include <QMetaObject>
#include <array>
#include <chrono>
#include <cstring>

#include "packetsockets/PropertyExchange.h"
#include "packetsockets/ServerSpecifyForm.h"
#include "platform/core/Exception.h"

namespace Zev {

namespace {
// The exchange order of the dialog's properties.
constexpr std::array<const char *, 4> ExchangedProperties{"Host", "Address", "Port", "Service"};

int ExecDialog(QDialog &form) { return form.exec(); }
} // namespace

TPacketClientSocket::TPacketClientSocket()
    : FClientSocket(std::make_unique<platform::TClientWinSocket>()), FShowModal(ExecDialog) {
  InitSocket(*FClientSocket);
  // After the component's routines, which the engine chains.
  FPacketRW = std::make_unique<TSocketPacketRW>(FClientSocket.get());
}

TPacketClientSocket::~TPacketClientSocket() {
  FPacketRW.reset();
  // The connection goes without notifications to a component being destroyed.
  FClientSocket->SetOnSocketEvent(nullptr);
  FClientSocket->SetOnErrorEvent(nullptr);
}

void TPacketClientSocket::SetShowModal(TShowModalEvent handler) {
  FShowModal = handler ? std::move(handler) : TShowModalEvent(ExecDialog);
}

bool TPacketClientSocket::FlushPackets(int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const std::int64_t before = QueuedBytes();
    if (before == 0)
      return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0 || !FClientSocket->WaitWritable(static_cast<int>(left)))
      return false;
    FPacketRW->WriteEvent(FClientSocket.get(), FClientSocket.get());
    if (QueuedBytes() == before) // only a packet still being built is left
      return false;
  }
}

void TPacketClientSocket::RaiseException(const std::string &Message) { throw platform::Exception(Message); }

void TPacketClientSocket::DoActivate(bool Value) {
  // Connecting counts as open: a second activation does not open twice, and a
  // deactivation cancels the attempt.
  if (FClientSocket->HandleAllocated() == Value) {
    StoreActive(Value);
    return;
  }
  if (!Value) {
    FClientSocket->Close();
    StoreActive(false);
    return;
  }
  StoreActive(true);
  try {
    if (FAlwaysShowDialog || (Host().empty() && Address().empty()) || (Port() == 0 && Service().empty()))
      GetHostInfo();
    FClientSocket->Open(Host(), Address(), Service(), Port());
  } catch (...) {
    if (!FClientSocket->HandleAllocated())
      StoreActive(false);
    throw;
  }
}

QDialog *TPacketClientSocket::GetDialogForm(std::unique_ptr<QDialog> &defaultDialog) {
  defaultDialog = std::make_unique<TFormServerSpecify>();
  QDialog *form = defaultDialog.get();
  if (const auto handler = FOnGetDialogForm)
    handler(form);
  if (form != defaultDialog.get())
    defaultDialog.reset();
  return form;
}

QVariant TPacketClientSocket::PropertyValue(const char *name) const {
  if (std::strcmp(name, "Host") == 0)
    return QString::fromStdString(Host());
  if (std::strcmp(name, "Address") == 0)
    return QString::fromStdString(Address());
  if (std::strcmp(name, "Port") == 0)
    return Port();
  return QString::fromStdString(Service());
}

void TPacketClientSocket::ApplyProperty(const char *name, const QVariant &value) {
  if (std::strcmp(name, "Host") == 0)
    SetHost(value.toString().toStdString());
  else if (std::strcmp(name, "Address") == 0)
    SetAddress(value.toString().toStdString());
  else if (std::strcmp(name, "Port") == 0)
    SetPort(VariantToInt(value));
  else
    SetService(value.toString().toStdString());
}

void TPacketClientSocket::GetHostInfo() {
  std::unique_ptr<QDialog> defaultDialog;
  QDialog *form = GetDialogForm(defaultDialog);
  if (!form)
    return;
  const LoadingMark loading(*this);
  const QMetaObject &type = *form->metaObject();
  for (const char *name : ExchangedProperties) {
    const int index = type.indexOfProperty(name);
    if (index >= 0 && type.property(index).isWritable())
      SetPropertyFromVariant(*form, type.property(index), PropertyValue(name));
  }
  if (FShowModal(*form) != QDialog::Accepted)
    return;
  SetActive(false);
  for (const char *name : ExchangedProperties) {
    const int index = type.indexOfProperty(name);
    if (index >= 0 && type.property(index).isReadable())
      ApplyProperty(name, GetPropertyAsVariant(*form, type.property(index)));
  }
  SetActive(true);
}

} // namespace Zev
