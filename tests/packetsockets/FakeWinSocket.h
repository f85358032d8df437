#pragma once
// An in-memory connection socket for the framing engine: each Deliver is one
// read notification, SendBuf takes bytes as the script of send limits says.
#include <cstddef>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "platform/net/CustomWinSocket.h"
#include "platform/net/SocketError.h"

namespace fakes {

inline std::vector<std::byte> Bytes(const std::string &text) {
  std::vector<std::byte> out;
  for (char c : text)
    out.push_back(std::byte(static_cast<unsigned char>(c)));
  return out;
}

inline std::vector<std::byte> Bytes(std::initializer_list<int> values) {
  std::vector<std::byte> out;
  for (int v : values)
    out.push_back(std::byte(v));
  return out;
}

// Length word (little-endian) then payload.
inline std::vector<std::byte> Frame(const std::string &payload) {
  const auto length = static_cast<std::uint32_t>(payload.size() + 4);
  auto out =
      Bytes({int(length & 0xFF), int(length >> 8 & 0xFF), int(length >> 16 & 0xFF), int(length >> 24)});
  const auto body = Bytes(payload);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

inline std::vector<std::byte> LengthWord(std::int32_t length) {
  const auto value = static_cast<std::uint32_t>(length);
  return Bytes({int(value & 0xFF), int(value >> 8 & 0xFF), int(value >> 16 & 0xFF), int(value >> 24)});
}

class FakeWinSocket : public platform::TCustomWinSocket {
public:
  using platform::TCustomWinSocket::Event;
  bool connected = true;
  int closes = 0;
  std::vector<std::byte> pending; // bytes the next reads return
  std::vector<std::byte> wire;    // bytes the socket has taken
  std::deque<int> sendLimits;     // per SendBuf call: -1 would block, 0 not connected, n at most n
  int sendCalls = 0;
  bool failSends = false; // SendBuf raises a socket error, as a broken connection does

  // One read notification with these bytes pending.
  void Deliver(const std::vector<std::byte> &bytes) {
    pending.insert(pending.end(), bytes.begin(), bytes.end());
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
    const auto n = std::min<std::size_t>(static_cast<std::size_t>(count), pending.size());
    if (n > 0)
      std::memcpy(buffer, pending.data(), n);
    pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(n));
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
    const auto *bytes = static_cast<const std::byte *>(buffer);
    wire.insert(wire.end(), bytes, bytes + take);
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
