#include "packetsockets/SendGather.h"

#include <algorithm>
#include <exception>

#include "packetsockets/SocketPacketRW.h"

namespace Zev {

void TSendGather::End() {
  if (--FDepth > 0)
    return;
  std::exception_ptr firstFailure;
  // Taken one by one from the list itself: a flush can reach an error handler
  // that sends again or lets an engine go.
  while (!FWaiting.empty()) {
    TSocketPacketRW *engine = FWaiting.front();
    FWaiting.erase(FWaiting.begin());
    try {
      engine->Flush();
    } catch (...) {
      if (!firstFailure)
        firstFailure = std::current_exception();
    }
  }
  if (firstFailure)
    std::rethrow_exception(firstFailure);
}

void TSendGather::Defer(TSocketPacketRW &engine) {
  if (std::find(FWaiting.begin(), FWaiting.end(), &engine) == FWaiting.end())
    FWaiting.push_back(&engine);
}

bool TSendGather::Forget(const TSocketPacketRW &engine) { return std::erase(FWaiting, &engine) > 0; }

} // namespace Zev
