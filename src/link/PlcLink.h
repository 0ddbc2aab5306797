#pragma once

#include <QLabel>
#include <QLineEdit>

#include "link/Communication.h"
#include "platform/CommandQueue.h"
#include "platform/Dialogs.h"
#include "platform/PortKeeper.h"
#include "platform/SerialControl.h"

namespace vt {

// PLC command words.
namespace PlcCmd {
constexpr int Prepare = 1;
constexpr int Start = 2;
constexpr int Stop = 3;
}  // namespace PlcCmd

// The main window's controls that the PLC link reads and writes.
struct PlcControls {
  QLineEdit* txtDimensionH = nullptr;  // specimen height
  QLineEdit* txtPLCSpeed = nullptr;    // test speed
  QLabel* labPLCComm = nullptr;        // the PLC port's state
};

// The optional second serial port to the machine's PLC: Modbus ASCII writes
// of five registers carrying the specimen height, the speed and a command
// word, sent and forgotten. A command that a stop has overtaken sends the
// PLC nothing more.
//
// A PLC port whose device fails is closed, and `labPLCComm` says so at once;
// the watchdog tries the chosen port again once a second, and the label
// reads "Haberleşme OK" again once it has opened. A request made meanwhile
// is lost: its command reports it with ReportNotSent, a start with
// ReportTestNotStarted.
class PlcLink {
 public:
  PlcLink(Communication& comm, const CommandQueue& queue, Dialogs& dialogs, const PlcControls& controls,
          const QString& programFolder);

  SerialControl PLCComm;

  // Sends the height, the speed and the command (1 prepare, 2 start, 3 stop).
  // False when the chosen PLC port is lost or not open.
  bool PLCCommand(int command);
  // Frames a request body as Modbus ASCII and hands it to the PLC port at
  // once, ahead of anything written after it. False when a PLC port is
  // chosen and could not take it; a command that a stop overtook sends
  // nothing and fails nothing.
  bool DoPLCOut(const QString& body);
  // Tells the operator that the machine did not get `command`.
  void ReportNotSent(int command);
  // True when a PLC port is chosen and is not open: it takes no frame until
  // the watchdog has opened it again.
  bool PortLost() const;
  // Tells the operator that the test was not started, since the machine
  // could not get its start. A start that a stop overtook tells nothing:
  // the stop reports what the machine got.
  void ReportTestNotStarted();
  // Closes the PLC port and opens it on the chosen port (0: none).
  void OpenPLCPort(int port);
  // One tick of the watchdog: reopens the chosen port when it is closed.
  void WatchPLCPort();

  // The request body (function code to command word) for the current boxes.
  QString PLCRequestBody(int command) const;

 private:
  // "COMn Not Available: " for the chosen port, ahead of what failed.
  QString NotAvailable() const;

  Communication& comm_;
  const CommandQueue& queue_;
  Dialogs& dialogs_;
  PlcControls controls_;
  int chosenPort_ = 0;  // the port last chosen, 0 none
  PortKeeper keeper_{PLCComm};
};

}  // namespace vt
