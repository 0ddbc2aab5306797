#pragma once

#include <QDeadlineTimer>
#include <functional>
#include <memory>
#include <optional>

#include "app/MainForm.h"
#include "indicator-sim/IndicatorSim.h"
#include "platform/ScriptedDialogs.h"
#include "support/ProgramFolder.h"

namespace vt::test {

// The real clock, whose date a test may fix.
class StationClock : public Clock {
 public:
  QDateTime Now() const override { return fixedNow_ ? *fixedNow_ : real_.Now(); }
  qint64 TickMs() const override { return real_.TickMs(); }
  void FixNow(const QDateTime& now) { fixedNow_ = now; }

 private:
  SystemClock real_;
  std::optional<QDateTime> fixedNow_;
};

// The indicator on a serial line instead of TCP: the simulator's
// pseudo-terminal as COM1, in the mode and with the settings given.
struct SerialLine {
  sim::Transport mode;  // Rtu or Ascii
  QString settings;     // e.g. "1200,e,7,1"
};

// The main window in a temporary program folder, connected over TCP on
// loopback (or on a serial line) to a simulated force indicator that runs in
// real time, with its timers running as in the real program.
class SimulatedStation {
 public:
  // `plcDevice`: the device that the PLC port COM2 leads to; empty: no PLC.
  explicit SimulatedStation(const std::optional<SerialLine>& serial = std::nullopt, const QString& plcDevice = {});

  // Runs the event loop until `done` holds or `timeoutMs` passed.
  static bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000);
  // Waits until a poll answer has been accepted.
  bool WaitForLink(int timeoutMs = 5000);
  // Waits until the status LEDs have been refreshed from a fresh answer.
  void WaitForLedRefresh();

  sim::IndicatorSim sim;
  sim::IndicatorModel& indicator() { return sim.Model(); }
  ProgramFolder folder;
  ScriptedDialogs dialogs;
  StationClock clock;
  std::unique_ptr<MainForm> form;
  Program& program() { return form->program; }
  int Address() { return program().comm.DevAddressNumber(); }
};

}  // namespace vt::test
