#include "platform/PortKeeper.h"

namespace vt {

bool PortKeeper::Tick(int portNumber, bool answered) {
  if (++ticks_ < kTurnTicks) return false;
  ticks_ = 0;
  if (portNumber == 0) return false;
  if (port_.IsOpen()) {
    if (answered || !port_.NameMoved()) return false;
    port_.GiveUp();
  }
  return port_.Reopen(portNumber);
}

}  // namespace vt
