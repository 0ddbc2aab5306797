#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "link/Communication.h"
#include "link/IndicatorLink.h"

namespace vt {

// The blocking register transactions that everything beyond the poll goes
// through: each waits until the poll's outstanding request has ended,
// switches the poll off, sends its own request and waits for the answer or
// the time-out counted by the poll timer.
//
// The waits run the event loop, so a click may ask for a transaction while
// another one waits for its answer. The one asked for waits until that
// request has ended (its answer or its time-out), ends it on the waiting
// one's behalf, and then goes on the line itself; the waiting one returns
// that result when it resumes. So a transaction asked for inside another's
// wait is served after one request, and every wait ends with an answer or a
// time-out.
class Transactions {
 public:
  Transactions(IndicatorLink& link, Communication& comm) : link_(link), comm_(comm) {}

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
  // A transaction whose request is on the line.
  struct OnLine {
    std::span<std::int32_t> values;
    quint64 request = 0;
    std::optional<bool> result;  // set once the request has ended
  };

  bool Run(int address, const QString& body, int expectedLen, std::span<std::int32_t> values);
  void TakeLine();
  void WaitForLine();
  bool Ended(const OnLine& transaction) const;
  bool End(const OnLine& transaction);

  IndicatorLink& link_;
  Communication& comm_;
  OnLine* onLine_ = nullptr;  // the innermost transaction that has sent its request
};

}  // namespace vt
