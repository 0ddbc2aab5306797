#include "station/TestRun.h"

#include <algorithm>
#include <memory>

#include "platform/Presses.h"
#include "settings/Messages.h"

namespace vt {

TestRun::TestRun(Program& program, TestPage& testPage, MachinePanel& machinePanel, CommandRegister& commands,
                 PlcLink& plc)
    : program_(program), page_(testPage), machine_(machinePanel), commands_(commands), plc_(plc) {
  CommandQueue& queue = program_.commandQueue;
  OnPress(queue, page_.cmdPLCPrepare, &QPushButton::clicked, this, [this] { cmdPLCPrepare_Click(); });
  OnPress(queue, page_.cmdStart, &QPushButton::clicked, this, [this] { cmdStart_Click(); });
  connect(page_.cmdStop, &QPushButton::clicked, this, [this] { cmdStop_Click(); });
  OnPress(queue, machine_.SelPLCComPort, &QComboBox::activated, this, [this] { SelPLCComPort_Click(); });
}

void TestRun::cmdPLCPrepare_Click() { SendToPlc(PlcCmd::Prepare); }

// The PLC, which moves the machine, gets the stop at the press, whatever the
// indicator's line is doing; the indicator gets it once the line is free.
// A stop the PLC could not get is told once the indicator has had its own.
void TestRun::cmdStop_Click() {
  auto plcGotIt = std::make_shared<bool>();  // set at the press, before the stop goes on the line
  program_.commandQueue.RunStop([this, plcGotIt] { *plcGotIt = plc_.PLCCommand(PlcCmd::Stop); },
                                [this, plcGotIt] { StopOnLine(*plcGotIt); });
}

// A box lets the presses queued behind its command out first, so a stop
// pressed while an earlier one is on the line runs inside that one's
// boxes. It leaves the box about its PLC frame to the earlier stop, which
// shows it after its own: the boxes come in the order pressed.
void TestRun::StopOnLine(bool plcGotIt) {
  const bool insideEarlierStop = stopOnLine_;
  stopOnLine_ = true;
  SendToIndicator(IndCmd::TestStop);
  if (!plcGotIt) ++plcStopsUntold_;
  if (insideEarlierStop) return;
  while (plcStopsUntold_ > 0) {
    --plcStopsUntold_;
    plc_.ReportNotSent(PlcCmd::Stop);
  }
  stopOnLine_ = false;
}

// A new test in the program, then the start to the indicator and the PLC.
// A start that the machine cannot get starts nothing.
void TestRun::cmdStart_Click() {
  // The window keeps the test it shows, and nothing is sent.
  if (plc_.PortLost()) {
    plc_.ReportTestNotStarted();
    return;
  }
  Graphic& graphic = program_.graphic;
  program_.global.RecordLoaded = false;
  program_.global.GapValue = 0;
  page_.labGap->setText(QStringLiteral("0"));
  graphic.TestStartTick = static_cast<double>(program_.clock.TickMs());
  graphic.RestartCurve();
  graphic.TestStart = program_.clock.Now();
  std::fill_n(graphic.GraphSamples.begin(), kLiveSampleLimit, kStartPlaceholder);
  // The machine moves only once the indicator has taken the start and
  // records the test.
  if (!SendToIndicator(IndCmd::TestStart) || plc_.PLCCommand(PlcCmd::Start)) return;
  // The indicator records a test the machine never began: it is ended
  // before the operator is told, and the window's test ends with it.
  SendToIndicator(IndCmd::TestStop);
  plc_.ReportTestNotStarted();
}

void TestRun::SendToPlc(int command) {
  if (!plc_.PLCCommand(command)) plc_.ReportNotSent(command);
}

bool TestRun::SendToIndicator(int code) {
  const bool sent = commands_.SetRegister(program_.comm.DevAddressNumber(), 0, code);
  if (!sent) ShowCommFailed(program_.dialogs);
  return sent;
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
