#pragma once

#include "platform/SerialControl.h"

namespace vt {

// Brings back a serial port that its device took away. Ticked by a
// watchdog, it looks at the port once every kTurnTicks ticks (about a second
// at 20 ms a tick) and opens it again, when it is closed, on the port number
// its link is set to and no other. A device that is back is in use within a
// turn; one that stays away costs one failed open a turn and no message.
//
// An open port that hears no answers while its name has come to stand for
// another device (a link left behind by a device that went away may lead to
// an unrelated one meanwhile) is given up, as a lost one, for the named
// device.
class PortKeeper {
 public:
  static constexpr int kTurnTicks = 50;

  explicit PortKeeper(SerialControl& port) : port_(port) {}

  // One watchdog tick for a link set to port COMn, `portNumber` (0: none),
  // which has had answers lately or not.
  void Tick(int portNumber, bool answered);

 private:
  SerialControl& port_;
  int ticks_ = 0;  // ticks since the last turn
};

}  // namespace vt
