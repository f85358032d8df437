#pragma once
// Connection properties of a socket component (Active, Host, Address, Port,
// Service) and its loading mark. While the mark is on, Active only stores the
// flag and the properties accept changes even while active; otherwise a change
// of Active runs DoActivate, and the other properties refuse changes while
// active.
#include <string>

#include "platform/net/Object.h"

namespace platform {

class TAbstractSocket : public TObject {
public:
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  const std::string &Host() const { return FHost; }
  void SetHost(const std::string &Value);
  const std::string &Address() const { return FAddress; }
  void SetAddress(const std::string &Value);
  int Port() const { return FPort; }
  void SetPort(int Value);
  const std::string &Service() const { return FService; }
  void SetService(const std::string &Value);

  bool Loading() const { return FLoading; }

  // Puts the loading mark on for its lifetime and restores the previous state.
  class LoadingMark {
  public:
    explicit LoadingMark(TAbstractSocket &socket) : FSocket(socket), FWas(socket.FLoading) {
      socket.FLoading = true;
    }
    ~LoadingMark() { FSocket.FLoading = FWas; }
    LoadingMark(const LoadingMark &) = delete;
    LoadingMark &operator=(const LoadingMark &) = delete;

  private:
    TAbstractSocket &FSocket;
    bool FWas;
  };

protected:
  TAbstractSocket() = default;
  virtual void DoActivate(bool Value) = 0;
  // Stores the flag without activating anything.
  void StoreActive(bool Value) { FActive = Value; }

private:
  void CheckChange() const;

  bool FActive = false;
  bool FLoading = false;
  std::string FHost;
  std::string FAddress;
  std::string FService;
  int FPort = 0;
};

} // namespace platform
