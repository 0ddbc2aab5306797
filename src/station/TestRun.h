#pragma once

#include "station/MachinePanel.h"
#include "station/Program.h"
#include "station/TestPage.h"

namespace vt {

// The test run from the test tab and the PLC port choice of the settings tab.
class TestRun : public QObject {
  Q_OBJECT
 public:
  TestRun(Program& program, TestPage& testPage, MachinePanel& machinePanel);

  void SelPLCComPort_Click();

 private:
  Program& program_;
  TestPage& page_;
  MachinePanel& machine_;
};

}  // namespace vt
