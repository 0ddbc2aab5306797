#pragma once

#include "setup/TransferWindow.h"

namespace vt {

// The read transfer: the indicator's cells of every raised group into
// program.global.ParImage. The first address that fails four times sets
// CommError and ends the read; what was read so far stays in the image.
class ReadSetUp : public TransferWindow {
  Q_OBJECT
 public:
  ReadSetUp(Program& program, CommandRegister& commands, ProcListArray& procList, QWidget* owner);

 protected:
  void Transfer() override;
};

}  // namespace vt
