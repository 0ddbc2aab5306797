#include "station/OperatorCommands.h"

#include "platform/Presses.h"
#include "settings/Messages.h"

namespace vt {

OperatorCommands::OperatorCommands(Program& program, MachinePanel& machinePanel, CommandRegister& commands)
    : program_(program), commands_(commands) {
  CommandQueue& queue = program_.commandQueue;
  OnPress(queue, machinePanel.cmdSetZero, &QPushButton::clicked, this, [this] { cmdSetZero_Click(); });
  OnPress(queue, machinePanel.cmdPar2Ram, &QPushButton::clicked, this, [this] { cmdPar2Ram_Click(); });
  OnPress(queue, machinePanel.cmd2EEprom, &QPushButton::clicked, this, [this] { cmd2EEprom_Click(); });
  OnPress(queue, machinePanel.cmdFailReset, &QPushButton::clicked, this, [this] { cmdFailReset_Click(); });
  OnPress(queue, machinePanel.AppTare[1], &QPushButton::clicked, this, [this] { AppTare_Click(1); });
}

void OperatorCommands::cmdSetZero_Click() { SetCommand(IndCmd::Zero); }

void OperatorCommands::cmdPar2Ram_Click() { SetCommand(IndCmd::ToRam); }

void OperatorCommands::cmd2EEprom_Click() { SetCommand(IndCmd::ToEEprom); }

void OperatorCommands::SetCommand(int code) {
  if (!commands_.SetRegister(Address(), 0, code)) ShowCommFailed(program_.dialogs);
}

void OperatorCommands::cmdFailReset_Click() {
  if (!commands_.RunCmd12(Address())) ShowCommFailed(program_.dialogs);
}

void OperatorCommands::AppTare_Click(int) {
  switch (commands_.RunCmd6(Address())) {
    case 3:
      ShowCommFailed(program_.dialogs);
      break;
    case 2:
      ShowProcessFailed(QStringLiteral("Cannot process Tare operation for a negative  or zero value."));
      break;
    case 1:
      ShowProcessFailed(QStringLiteral("System is in-motion state."));
      break;
    default:
      break;
  }
}

void OperatorCommands::ShowProcessFailed(const QString& text) {
  program_.comm.PollEnabled = false;
  program_.dialogs.MsgBox(text, MsgStyle::OkOnly, QStringLiteral("Process failed"));
  program_.comm.PollEnabled = true;
}

}  // namespace vt
