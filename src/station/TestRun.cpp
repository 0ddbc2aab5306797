#include "station/TestRun.h"

#include <algorithm>

namespace vt {

TestRun::TestRun(Program& program, TestPage& testPage, MachinePanel& machinePanel, CommandRegister& commands,
                 PlcLink& plc)
    : program_(program), page_(testPage), machine_(machinePanel), commands_(commands), plc_(plc) {
  connect(page_.cmdPLCPrepare, &QPushButton::clicked, this, &TestRun::cmdPLCPrepare_Click);
  connect(page_.cmdStart, &QPushButton::clicked, this, &TestRun::cmdStart_Click);
  connect(page_.cmdStop, &QPushButton::clicked, this, &TestRun::cmdStop_Click);
  connect(machine_.SelPLCComPort, &QComboBox::activated, this, &TestRun::SelPLCComPort_Click);
}

// Each button's command runs through the command queue, in the order pressed.
void TestRun::cmdPLCPrepare_Click() {
  program_.commandQueue.Run([this] { plc_.PLCCommand(PlcCmd::Prepare); });
}

void TestRun::cmdStart_Click() { program_.commandQueue.Run([this] { StartTest(); }); }

void TestRun::cmdStop_Click() {
  program_.commandQueue.RunStop([this] {
    commands_.SetRegister(program_.comm.DevAddressNumber(), 0, IndCmd::TestStop);
    plc_.PLCCommand(PlcCmd::Stop);
  });
}

void TestRun::StartTest() {
  Graphic& graphic = program_.graphic;
  program_.global.RecordLoaded = false;
  program_.global.GapValue = 0;
  page_.labGap->setText(QStringLiteral("0"));
  graphic.TestStartTick = static_cast<double>(program_.clock.TickMs());
  graphic.RestartCurve();
  graphic.TestStart = program_.clock.Now();
  std::fill_n(graphic.GraphSamples.begin(), kLiveSampleLimit, kStartPlaceholder);
  commands_.SetRegister(program_.comm.DevAddressNumber(), 0, IndCmd::TestStart);
  plc_.PLCCommand(PlcCmd::Start);
}

void TestRun::SelPLCComPort_Click() {
  program_.comm.PLCPort = machine_.SelPLCComPort->currentIndex();
  plc_.OpenPLCPort(program_.comm.PLCPort);
  const bool shown = program_.comm.PLCPort != 0;
  for (QWidget* control : {static_cast<QWidget*>(page_.cmdPLCPrepare), static_cast<QWidget*>(page_.labMotorSpeed),
                           static_cast<QWidget*>(page_.txtPLCSpeed), static_cast<QWidget*>(page_.labPLCParDet)}) {
    control->setVisible(shown);
  }
}

}  // namespace vt
