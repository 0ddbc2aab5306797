#pragma once

#include <cstdint>
#include <span>

#include "platform/CommandQueue.h"
#include "link/Communication.h"
#include "link/IndicatorLink.h"

namespace vt {

// The blocking register transactions that everything beyond the poll goes
// through: each waits until the poll's outstanding request has ended,
// switches the poll off, sends its own request and waits for the answer or
// the time-out counted by the poll timer.
//
// The waits run the event loop; meanwhile the line counts as taken in the
// command queue, so a button pressed then is queued behind the command
// that waits. A transaction is never asked for inside another's wait: one
// that is (a caller that bypassed the queue) fails at once and sends
// nothing, and the waiting one keeps its own answer. A command that a stop
// has overtaken sends nothing more: its transactions fail at once.
class Transactions {
 public:
  Transactions(IndicatorLink& link, Communication& comm, CommandQueue& queue)
      : link_(link), comm_(comm), queue_(queue) {}

  // Function 03: values[0 .. count-1] receive registers start .. start+count-1.
  bool ReadRegisters(int address, int start, int count, std::span<std::int32_t> values);
  // Function 10h: writes values[0 .. count-1] from register start on.
  bool WriteRegisters(int address, int start, int count, std::span<const std::int32_t> values);
  // Function 06: writes one register.
  bool WriteRegister(int address, int reg, int value);

  // Waits until no request is outstanding, then switches the poll off.
  void SuspendPolling();
  void ResumePolling() { comm_.PollEnabled = true; }

 private:
  bool Run(int address, const QString& body, int expectedLen, std::span<std::int32_t> values);
  void WaitForLine();
  bool End(quint64 request, std::span<std::int32_t> values);

  IndicatorLink& link_;
  Communication& comm_;
  CommandQueue& queue_;
};

}  // namespace vt
