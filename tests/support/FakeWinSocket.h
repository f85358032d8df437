#pragma once
// An in-memory connection socket for the framing engine: each Deliver is one
// read notification, SendBuf takes bytes as the script of send limits says.
#include <algorithm>
#include <deque>
#include <string>

#include "platform/net/CustomWinSocket.h"
#include "platform/net/SocketError.h"
#include "tests/support/Frames.h"

namespace fakes {

class FakeWinSocket : public platform::TCustomWinSocket {
public:
  using platform::TCustomWinSocket::Event;
  bool connected = true;
  int closes = 0;
  std::string pending;        // bytes the next reads return
  std::string wire;           // bytes the socket has taken
  std::deque<int> sendLimits; // per SendBuf call: -1 would block, 0 not connected, n at most n
  int sendCalls = 0;
  bool failSends = false; // SendBuf raises a socket error, as a broken connection does

  // One read notification with these bytes pending.
  void Deliver(const std::string &bytes) {
    pending += bytes;
    Event(this, platform::seRead);
  }
  void Writable() { Event(this, platform::seWrite); }
  void Connect() {
    connected = true;
    Event(this, platform::seConnect);
  }

  int ReceiveLength() override { return connected ? static_cast<int>(pending.size()) : 0; }
  int ReceiveBuf(void *buffer, int count) override {
    if (!connected)
      return 0;
    const auto n = std::min(static_cast<std::size_t>(count), pending.size());
    pending.copy(static_cast<char *>(buffer), n);
    pending.erase(0, n);
    return static_cast<int>(n);
  }
  int SendBuf(const void *buffer, int count) override {
    ++sendCalls;
    if (failSends)
      throw platform::ESocketError("send failed");
    if (!connected)
      return 0;
    int take = count;
    if (!sendLimits.empty()) {
      const int limit = sendLimits.front();
      sendLimits.pop_front();
      if (limit < 0)
        return -1;
      take = std::min(limit, count);
    }
    wire.append(static_cast<const char *>(buffer), static_cast<std::size_t>(take));
    return take;
  }
  void Close() override {
    if (!connected)
      return;
    ++closes;
    connected = false;
    Event(this, platform::seDisconnect);
  }
  bool Connected() const override { return connected; }
};

} // namespace fakes
