#pragma once

#include <QAbstractButton>
#include <QStringList>
#include <functional>
#include <ostream>
#include <vector>

#include "SimulatedStation.h"
#include "support/PtyPair.h"

namespace vt::test {

// A serial line to the simulated indicator.
struct Line {
  sim::Transport mode;
  const char* settings;
  bool pollDrainsAfterTheTick;  // the poll request takes longer than 20 ms to go out
};

std::ostream& operator<<(std::ostream& out, const Line& line);

// The main window on a serial line to the simulated indicator, with the PLC
// on a pseudo-terminal, and a log of every request the indicator received
// with the test's button presses in between ("press <button>").
class StationOnALine {
 public:
  explicit StationOnALine(const Line& line);

  // The PLC's pseudo-terminal is there and the link is up.
  bool Ready();

  Communication& comm() { return station.program().comm; }
  MainForm& form() { return *station.form; }
  // The codes register 0 received, oldest first.
  std::vector<quint16> CommandCodes();

  // Clicks `button` from a timer of its own as soon as `when` holds.
  void PressWhen(QAbstractButton* button, std::function<bool()> when);
  // Clicks `button` from a single-shot timer after `ms`.
  void PressAfter(QAbstractButton* button, int ms);
  int Presses() const { return presses_; }
  // Presses made while a command held the line.
  int QueuedPresses() const { return queuedPresses_; }
  // Waits until `expected` presses have been made and their handlers returned.
  bool WaitForPresses(int expected, int timeoutMs = 20000);

  // The requests the indicator received after the press of `button` until
  // the write of `code` into register 0 (the request writing it left out).
  QStringList RequestsBetween(const QString& button, quint16 code) const;
  // The command words of the next `frames` PLC requests.
  std::vector<int> PlcCommandWords(int frames, int timeoutMs = 20000);

  PtyPair plc;
  SimulatedStation station;
  QStringList log;

 private:
  void Press(QAbstractButton* button);

  int presses_ = 0;
  int queuedPresses_ = 0;
};

// The request writing `code` into register 0, as the indicator's log shows it.
QString WriteOfCode(quint16 code);
inline const QString kPollRequest = QStringLiteral("03 00 00 00 0c");
inline const QString kReadOfRegisterZero = QStringLiteral("03 00 00 00 01");

}  // namespace vt::test
