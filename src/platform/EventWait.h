#pragma once

#include <functional>

namespace vt {

// Runs the event loop until `done` holds: timers, port events and window
// messages are processed meanwhile. The wait blocks between events (it wakes
// at least every few milliseconds to look again) and never spins a core.
void WaitUntil(const std::function<bool()>& done);

}  // namespace vt
