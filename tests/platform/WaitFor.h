#pragma once

#include <QDeadlineTimer>
#include <functional>

#include "platform/EventWait.h"

namespace vt::test {

// Runs the event loop until `done` holds or `timeoutMs` passed; false on time-out.
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
  const QDeadlineTimer deadline(timeoutMs);
  WaitUntil([&] { return done() || deadline.hasExpired(); });
  return done();
}

}  // namespace vt::test
