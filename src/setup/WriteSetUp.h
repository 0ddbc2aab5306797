#pragma once

#include "setup/TransferWindow.h"

namespace vt {

// The write transfer: the image's cells of every raised group into the
// indicator, after asking before writing to a device of another type; then
// the store command (to EEPROM when group 9 or 10 was written, else to RAM)
// and, after the serial-link group 5, command 4.
class WriteSetUp : public TransferWindow {
  Q_OBJECT
 public:
  // `calibRW` 1 lets the whole-memory group 6 include the calibration cells.
  WriteSetUp(Program& program, CommandRegister& commands, ProcListArray& procList, int calibRW, QWidget* owner);

 protected:
  void Transfer() override;

 private:
  // False when the operator declined to write to this device.
  bool DeviceAccepted();
  void WriteQueued();
  void Store();
  void ApplySerialLink();

  int calibRW_;
};

}  // namespace vt
