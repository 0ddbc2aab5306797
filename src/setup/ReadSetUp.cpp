#include "setup/ReadSetUp.h"

#include "setup/ParameterGroups.h"

namespace vt {

ReadSetUp::ReadSetUp(Program& program, CommandRegister& commands, ProcListArray& procList, QWidget* owner)
    : TransferWindow(QStringLiteral("ReadSetUp"), program, commands, procList, owner) {}

void ReadSetUp::Transfer() {
  ResetCounts();
  // The device type does not matter to a read, and a failed query does not
  // stop it.
  commands_.ReadDeviceType(DeviceAddress());
  for (int address : ReadAddresses(program_.global.ParFlags)) AddProcList(address);
  Action->setText(QStringLiteral("Retrieving Setup"));

  auto& image = program_.global.ParImage;
  for (int i = 0; i < ProcCount; ++i) {
    const int address = ProcList[i];
    if (!FourAttempts([&] { return commands_.ReadParam(DeviceAddress(), address, image[address]); })) {
      program_.comm.CommError = true;
      return;
    }
    StepDone();
  }
}

}  // namespace vt
