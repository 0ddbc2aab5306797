#include "station/TestRun.h"

namespace vt {

TestRun::TestRun(Program& program, TestPage& testPage, MachinePanel& machinePanel)
    : program_(program), page_(testPage), machine_(machinePanel) {
  connect(machine_.SelPLCComPort, &QComboBox::activated, this, &TestRun::SelPLCComPort_Click);
}

void TestRun::SelPLCComPort_Click() {
  program_.comm.PLCPort = machine_.SelPLCComPort->currentIndex();
  const bool shown = program_.comm.PLCPort != 0;
  for (QWidget* control : {static_cast<QWidget*>(page_.cmdPLCPrepare), static_cast<QWidget*>(page_.labMotorSpeed),
                           static_cast<QWidget*>(page_.txtPLCSpeed), static_cast<QWidget*>(page_.labPLCParDet)}) {
    control->setVisible(shown);
  }
}

}  // namespace vt
