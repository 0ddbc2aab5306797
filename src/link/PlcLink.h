#pragma once

#include <QLabel>
#include <QLineEdit>

#include "link/Communication.h"
#include "platform/CommandQueue.h"
#include "platform/Dialogs.h"
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
class PlcLink {
 public:
  PlcLink(Communication& comm, const CommandQueue& queue, Dialogs& dialogs, const PlcControls& controls,
          const QString& programFolder);

  SerialControl PLCComm;

  // Sends the height, the speed and the command (1 prepare, 2 start, 3 stop).
  void PLCCommand(int command);
  // Frames a request body as Modbus ASCII and writes it to the PLC port.
  void DoPLCOut(const QString& body);
  // Closes the PLC port and opens it on the chosen port (0: none).
  void OpenPLCPort(int port);

  // The request body (function code to command word) for the current boxes.
  QString PLCRequestBody(int command) const;

 private:
  Communication& comm_;
  const CommandQueue& queue_;
  Dialogs& dialogs_;
  PlcControls controls_;
};

}  // namespace vt
