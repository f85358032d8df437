#pragma once
// Sends made while packets are being delivered wait and leave together once
// the delivery is done. A relay that answers every packet of a read with a
// send to every connection then writes each connection once per read rather
// than once per packet; each connection still gets the same bytes in the same
// order. The engines of one server share one.
#include <vector>

namespace Zev {

class TSocketPacketRW;

class TSendGather {
public:
  TSendGather() = default;
  TSendGather(const TSendGather &) = delete;
  TSendGather &operator=(const TSendGather &) = delete;

  bool Gathering() const { return FDepth > 0; }
  // A delivery starts; deliveries may nest (a handler's nested event loop).
  void Begin() { ++FDepth; }
  // A delivery ended. After the outermost one, every engine with sends
  // waiting is flushed once, in the order it first sent; a connection that
  // fails does not keep the others from theirs, and the first failure is
  // raised once all have been flushed.
  void End();
  // The engine has queued bytes to flush at the end (once per delivery).
  void Defer(TSocketPacketRW &engine);
  // The engine leaves; whether it had sends waiting.
  bool Forget(const TSocketPacketRW &engine);

private:
  int FDepth = 0;
  std::vector<TSocketPacketRW *> FWaiting;
};

} // namespace Zev
