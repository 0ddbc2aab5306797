#pragma once

#include "link/CommandRegister.h"
#include "link/PlcLink.h"
#include "station/MachinePanel.h"
#include "station/Program.h"
#include "station/TestPage.h"

namespace vt {

// The test run from the test tab ("Hazırla", "BAŞLAT", "BİTİR") and the PLC
// port choice of the settings tab. The buttons reach their handlers through
// the command queue; "BİTİR" is a stop, whose PLC frame goes out at the
// press.
class TestRun : public QObject {
  Q_OBJECT
 public:
  // The placeholder that fills the live slots when a test starts.
  static constexpr double kStartPlaceholder = -50.0;

  TestRun(Program& program, TestPage& testPage, MachinePanel& machinePanel, CommandRegister& commands, PlcLink& plc);

  void cmdPLCPrepare_Click();
  void cmdStart_Click();
  void cmdStop_Click();
  void SelPLCComPort_Click();

 private:
  // Writes the code into the indicator's command register; a code that did
  // not reach it shows "Communication Failed".
  bool SendToIndicator(int code);
  // Sends the PLC a command; one it could not get is told at once.
  void SendToPlc(int command);
  // The stop's work on the line: the indicator's 52, then the boxes.
  void StopOnLine(bool plcGotIt);

  Program& program_;
  TestPage& page_;
  MachinePanel& machine_;
  CommandRegister& commands_;
  PlcLink& plc_;
  bool stopOnLine_ = false;  // a stop's work on the line runs
  int plcStopsUntold_ = 0;   // stops the PLC did not get, whose box has yet to show
};

}  // namespace vt
