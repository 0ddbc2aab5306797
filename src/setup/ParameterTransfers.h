#pragma once

#include <QDate>
#include <QWidget>
#include <array>
#include <cstdint>

#include "link/CommandRegister.h"
#include "setup/TransferWindow.h"
#include "station/Program.h"

namespace vt {

// Writes a date into four cells of the image from `at` on: day, month and
// the year as a 16-bit little-endian number.
void PutDate(std::array<std::int32_t, kParImageSize>& image, int at, const QDate& date);

// Moves parameter groups between the indicator and program.global.ParImage
// through the two "Please Wait" transfer windows, ReadSetUp and WriteSetUp.
// Every caller works the same way: set program.comm.CommError false, call
// ClearParFlags, raise the wanted groups in program.global.ParFlags (for a
// write, encode the values into ParImage first), show the read or the write
// window, then read CommError: true means "Communication Failed".
class ParameterTransfers {
 public:
  ParameterTransfers(Program& program, CommandRegister& commands);

  void ClearParFlags();
  // Writes the factory defaults into the image; unnamed slots keep their values.
  void SetDefaultPars();

  // Shows ReadSetUp modally over `owner`; returns when its transfer has ended.
  void ShowReadSetUp(QWidget* owner);
  // Shows WriteSetUp modally over `owner`. `calibRW` is the value of the
  // parameter-memory window's "Calibration" check box (0 when that window is
  // not the caller): 1 lets a whole-memory write include addresses 37 to 47.
  void ShowWriteSetUp(QWidget* owner, int calibRW = 0);

  // The transfer list that each window fills and then works through.
  ProcListArray ProcList{};

 private:
  void Show(TransferWindow& window);

  Program& program_;
  CommandRegister& commands_;
};

}  // namespace vt
