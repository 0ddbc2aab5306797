#include "station/OperatorCommands.h"

#include "settings/Messages.h"

namespace vt {

OperatorCommands::OperatorCommands(Program& program, MachinePanel& machinePanel, CommandRegister& commands)
    : program_(program), commands_(commands) {
  connect(machinePanel.cmdSetZero, &QPushButton::clicked, this, &OperatorCommands::cmdSetZero_Click);
  connect(machinePanel.cmdPar2Ram, &QPushButton::clicked, this, &OperatorCommands::cmdPar2Ram_Click);
  connect(machinePanel.cmd2EEprom, &QPushButton::clicked, this, &OperatorCommands::cmd2EEprom_Click);
  connect(machinePanel.cmdFailReset, &QPushButton::clicked, this, &OperatorCommands::cmdFailReset_Click);
  connect(machinePanel.AppTare[1], &QPushButton::clicked, this, [this] { AppTare_Click(1); });
}

// Each button's command runs through the command queue, in the order pressed.
void OperatorCommands::cmdSetZero_Click() { SetCommand(IndCmd::Zero); }

void OperatorCommands::cmdPar2Ram_Click() { SetCommand(IndCmd::ToRam); }

void OperatorCommands::cmd2EEprom_Click() { SetCommand(IndCmd::ToEEprom); }

void OperatorCommands::SetCommand(int code) {
  program_.commandQueue.Run([this, code] { commands_.SetRegister(Address(), 0, code); });
}

void OperatorCommands::cmdFailReset_Click() {
  program_.commandQueue.Run([this] {
    if (!commands_.RunCmd12(Address())) ShowCommFailed(program_.dialogs);
  });
}

void OperatorCommands::AppTare_Click(int) { program_.commandQueue.Run([this] { Tare(); }); }

void OperatorCommands::Tare() {
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
  // The commands pressed meanwhile go out first, so that none of them turns
  // the poll on behind the box.
  program_.commandQueue.RunWaiting();
  program_.comm.PollEnabled = false;
  program_.dialogs.MsgBox(text, MsgStyle::OkOnly, QStringLiteral("Process failed"));
  program_.comm.PollEnabled = true;
}

}  // namespace vt
