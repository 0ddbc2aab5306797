#pragma once

#include <QObject>

#include "link/CommandRegister.h"
#include "station/MachinePanel.h"
#include "station/Program.h"

namespace vt {

// The buttons that send single commands to the indicator: set zero, tare,
// failure reset and the two store commands, each reached through the
// command queue.
class OperatorCommands : public QObject {
  Q_OBJECT
 public:
  OperatorCommands(Program& program, MachinePanel& machinePanel, CommandRegister& commands);

  void cmdSetZero_Click();
  void cmdPar2Ram_Click();
  void cmd2EEprom_Click();
  void cmdFailReset_Click();
  void AppTare_Click(int index);

 private:
  // A bare command code written into register 0, without waiting for its
  // result; "Communication Failed" when the write failed.
  void SetCommand(int code);
  // A "Process failed" box, with no poll running while it is open.
  void ShowProcessFailed(const QString& text);
  int Address() const { return program_.comm.DevAddressNumber(); }

  Program& program_;
  CommandRegister& commands_;
};

}  // namespace vt
