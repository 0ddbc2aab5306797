#include "setup/ParameterTransfers.h"

#include "setup/ReadSetUp.h"
#include "setup/WriteSetUp.h"

namespace vt {
namespace {

// The factory image: runs of addresses first..last that take one value, in
// ascending address order; addresses in no run keep their values. The dates
// (8 to 11 and 19 to 22) are today's and are filled in apart.
struct DefaultRun {
  int first;
  int last;
  std::int32_t value;
};
constexpr DefaultRun kFactoryDefaults[] = {
    {0, 0, 176},     // serial link: RTU, 9600 bit/s, no parity, 8 data bits, 1 stop bit
    {1, 1, 1},       // Modbus address
    {2, 2, 0},       // response delay
    {3, 3, 40},      // response time-out, 5 ms at 9600 bit/s
    {4, 4, 255},
    {5, 5, 5},       // filter of 32 readings
    {6, 6, 7},
    {7, 7, 5},       // filter ignore time 0.5 s
    {12, 15, 0},
    {16, 16, 10},
    {17, 18, 0},
    {23, 23, 3},
    {24, 32, 0},
    {33, 35, 255},
    {64, 150, 0},
};
constexpr int kProductionDate = 8;
constexpr int kCalibrationDate = 19;

}  // namespace

void PutDate(std::array<std::int32_t, kParImageSize>& image, int at, const QDate& date) {
  image[at] = date.day();
  image[at + 1] = date.month();
  image[at + 2] = date.year() % 256;
  image[at + 3] = date.year() / 256;
}

ParameterTransfers::ParameterTransfers(Program& program, CommandRegister& commands)
    : program_(program), commands_(commands) {}

void ParameterTransfers::ClearParFlags() { program_.global.ParFlags.fill(false); }

void ParameterTransfers::SetDefaultPars() {
  auto& image = program_.global.ParImage;
  for (const DefaultRun& run : kFactoryDefaults) {
    for (int address = run.first; address <= run.last; ++address) image[address] = run.value;
  }
  const QDate today = program_.clock.Now().date();
  PutDate(image, kProductionDate, today);
  PutDate(image, kCalibrationDate, today);
}

void ParameterTransfers::ShowReadSetUp(QWidget* owner) {
  ReadSetUp window(program_, commands_, ProcList, owner);
  Show(window);
}

void ParameterTransfers::ShowWriteSetUp(QWidget* owner, int calibRW) {
  WriteSetUp window(program_, commands_, ProcList, calibRW, owner);
  Show(window);
}

void ParameterTransfers::Show(TransferWindow& window) {
  // A transfer that never ran (the program is ending) moved nothing.
  if (!program_.dialogs.ShowProgress(window)) program_.comm.CommError = true;
}

}  // namespace vt
