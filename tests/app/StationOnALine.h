#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QElapsedTimer>
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
// with the test's button presses ("press <button>", "press <window>/<button>"
// for a button of another window) and the PLC's command words ("plc <word>")
// in between, in the order they came.
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
  // Clicks `button` now, as an operator can: a button under a modal window
  // fails the test; returns when its handler has.
  void Press(QAbstractButton* button);
  // Clicks `button` from a single-shot timer after `ms`.
  void PressAfter(QAbstractButton* button, int ms);
  int Presses() const { return presses_; }
  // True once `button` has been pressed (its handler may still run).
  bool Pressed(const QAbstractButton* button) const { return log.contains(QStringLiteral("press ") + PressName(button)); }
  // Presses made while a command held the line.
  int QueuedPresses() const { return queuedPresses_; }
  // Waits until `expected` presses have been made and their handlers returned.
  bool WaitForPresses(int expected, int timeoutMs = 20000);

  // The requests the indicator received after the press of `button` until
  // the write of `code` into register 0 (the request writing it left out).
  // `button` is a press's name in the log.
  QStringList RequestsBetween(const QString& button, quint16 code) const;
  // The command words of the next `frames` PLC requests.
  std::vector<int> PlcCommandWords(int frames, int timeoutMs = 20000);
  // The name a press of `button` has in the log.
  static QString PressName(const QAbstractButton* button);

  // Adds an entry to the log, with the time it came.
  void Note(const QString& entry);
  // The log, each entry after the milliseconds since the start.
  QString TimedLog() const;

  PtyPair plc;
  SimulatedStation station;
  QStringList log;

 private:
  void PlcBytes(const QByteArray& bytes);

  int presses_ = 0;
  int queuedPresses_ = 0;
  QElapsedTimer clock_;
  std::vector<qint64> noted_;  // when each log entry came
  QByteArray plcBytes_;
  std::vector<int> plcWords_;
  std::size_t plcWordsTaken_ = 0;
};

// The request writing `code` into register 0, as the indicator's log shows it.
QString WriteOfCode(quint16 code);
inline const QString kPollRequest = QStringLiteral("03 00 00 00 0c");
inline const QString kReadOfRegisterZero = QStringLiteral("03 00 00 00 01");

inline constexpr Line kSlowestAscii{sim::Transport::Ascii, "1200,e,7,1", true};

// A test on a slow serial line, the slowest ASCII line unless it says.
class OnASlowLine : public ::testing::Test {
 protected:
  explicit OnASlowLine(const Line& slowLine = kSlowestAscii) : line(slowLine) {}
  void SetUp() override { ASSERT_TRUE(line.Ready()); }

  Communication& comm() { return line.comm(); }
  TestPage& testPage() { return *line.form().testPage; }
  MachinePanel& machine() { return *line.form().settingsPage->machinePanel; }
  // A transaction of a command holds the line and its request has gone out.
  bool CommandRequestAwaited() { return !comm().PollEnabled && comm().TxnBusy && comm().TxActive == 0; }
  bool Received(quint16 code) {
    const auto codes = line.CommandCodes();
    return std::find(codes.begin(), codes.end(), code) != codes.end();
  }
  bool WaitForCodes(std::size_t count, int timeoutMs = 20000) {
    return SimulatedStation::WaitFor([&] { return line.CommandCodes().size() >= count; }, timeoutMs);
  }

  StationOnALine line;
};

}  // namespace vt::test
