#include "platform/PortKeeper.h"

namespace vt {

void PortKeeper::Tick(int portNumber, bool answered) {
  if (++ticks_ < kTurnTicks) return;
  ticks_ = 0;
  if (portNumber == 0) return;
  if (port_.IsOpen()) {
    if (answered || !port_.NameMoved()) return;
    port_.GiveUp();
  }
  port_.Reopen(portNumber);
}

}  // namespace vt
