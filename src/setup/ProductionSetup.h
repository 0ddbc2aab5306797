#pragma once

#include <QWidget>

#include "link/CommandRegister.h"
#include "link/Transactions.h"
#include "setup/ParameterTransfers.h"
#include "station/Program.h"

namespace vt {

// The inputs of a production set-up: what to do with the device serial
// number, and one option per block of parameters (a block is written only
// when its option is 1).
struct ProductionSetupOptions {
  int SerialOp = 0;          // 0 nothing, 1 the stored serial number, 2 the next one, stored back
  int OvrProd = 0;           // production date
  int OvrInput = 0;          // input filter
  int OvrCalib = 0;          // calibration record
  int OvrLin = 0;            // table of six points
  int OvrComp = 0;           // table of three points: never written, its records are not settled
  int OvrDisplay = 0;        // scale
  int OvrOutput = 0;         // set points and analog output
  int OvrComm = 0;           // the indicator's own serial link
  int HasUserInterface = 0;  // kept with the others, used by nothing here
};

// Keeps the options in the per-user settings store, section "DefaultsWindow".
void SaveDefaultsWindowSettings(const ProductionSetupOptions& options);

// Writes a production set-up into the indicator: the chosen blocks are
// filled into the parameter image with today's date and fixed values and
// written through the write transfer window. No control calls it.
class ProductionSetup {
 public:
  ProductionSetup(Program& program, Transactions& transactions, CommandRegister& commands,
                  ParameterTransfers& transfers)
      : program_(program), transactions_(transactions), commands_(commands), transfers_(transfers) {}

  void BuildProductionSetup(const ProductionSetupOptions& options, QWidget* owner);

 private:
  // The serial number the set-up writes; nothing, after a message, when the
  // stored number cannot be one.
  std::optional<std::int32_t> TakeSerial(int serialOp);
  void FillBlocks(const ProductionSetupOptions& options, std::int32_t serial);

  Program& program_;
  Transactions& transactions_;
  CommandRegister& commands_;
  ParameterTransfers& transfers_;
};

}  // namespace vt
