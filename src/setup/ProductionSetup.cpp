#include "setup/ProductionSetup.h"

#include <initializer_list>
#include <limits>

#include "settings/Formats.h"
#include "settings/Messages.h"
#include "settings/NumberText.h"
#include "settings/SerialFile.h"

namespace vt {
namespace {

const QString kSerialOutOfRange = QStringLiteral("The Serial Number must lie between 0 and 2147483647!");

using Image = std::array<std::int32_t, kParImageSize>;

void Fill(Image& image, int first, int last, std::int32_t value) {
  for (int address = first; address <= last; ++address) image[address] = value;
}

// A 24-bit value into three cells, lowest byte first, rounded first.
void PutRounded24(Image& image, int at, double value) { Dbl2Bytes(value, image[at], image[at + 1], image[at + 2]); }

// A 24-bit value into three cells, lowest byte first, as it stands.
void Put24(Image& image, int at, double value) { Split3Bytes(value, image[at], image[at + 1], image[at + 2]); }

}  // namespace

void SaveDefaultsWindowSettings(const ProductionSetupOptions& o) {
  const std::pair<const char*, int> settings[] = {
      {"SerialOp", o.SerialOp},     {"OvrProd", o.OvrProd},
      {"OvrInput", o.OvrInput},     {"OvrCalib", o.OvrCalib},
      {"OvrLin", o.OvrLin},         {"OvrComp", o.OvrComp},
      {"OvrDisplay", o.OvrDisplay}, {"OvrOutput", o.OvrOutput},
      {"OvrComm", o.OvrComm},       {"HasUserInterface", o.HasUserInterface}};
  for (const auto& [key, value] : settings) {
    SaveRegSetting(QStringLiteral("DefaultsWindow"), QString::fromLatin1(key), QString::number(value));
  }
}

void ProductionSetup::BuildProductionSetup(const ProductionSetupOptions& options, QWidget* owner) {
  std::int32_t serial = 0;
  if (options.SerialOp != 0) {
    const auto taken = TakeSerial(options.SerialOp);
    if (!taken) return;
    serial = *taken;
  }
  transactions_.SuspendPolling();
  transfers_.ClearParFlags();
  FillBlocks(options, serial);
  program_.comm.CommError = false;
  transfers_.ShowWriteSetUp(owner);
  if (program_.comm.CommError) ShowCommFailed(program_.dialogs);
  // Command 4 leaves the poll off: the poll comes back after it.
  commands_.RunCmd4(program_.comm.DevAddressNumber());
  transactions_.ResumePolling();
}

std::optional<std::int32_t> ProductionSetup::TakeSerial(int serialOp) {
  const bool next = serialOp == 2;
  const double serial = RoundHalfEven(LoadSerial(program_.dialogs, program_.programFolder)) + (next ? 1 : 0);
  if (serial < 0 || serial > std::numeric_limits<std::int32_t>::max()) {
    program_.dialogs.MsgBox(kSerialOutOfRange);
    return std::nullopt;
  }
  if (next) SaveSerial(program_.dialogs, program_.programFolder, serial);
  return static_cast<std::int32_t>(serial);
}

void ProductionSetup::FillBlocks(const ProductionSetupOptions& options, std::int32_t serial) {
  Image& image = program_.global.ParImage;
  auto& flags = program_.global.ParFlags;
  const QDate today = program_.clock.Now().date();
  // Raises the block's groups when its option is 1, else lowers them.
  auto block = [&flags](int option, std::initializer_list<int> groups) {
    for (int group : groups) flags[group] = option == 1;
    return option == 1;
  };

  if (options.SerialOp != 0) {
    flags[ParGroup::SerialNumber] = true;
    image[13] = serial & 0xFF;
    image[14] = (serial >> 8) & 0xFF;
    image[15] = (serial >> 16) & 0xFF;
    image[16] = serial >> 24;
  }
  if (block(options.OvrProd, {ParGroup::ProductionDate})) {
    PutDate(image, 8, today);
    image[4] = 255;
  }
  if (block(options.OvrCalib, {ParGroup::CalibrationStamp, ParGroup::CalibrationRecord})) {
    PutDate(image, 20, today);
    image[24] = 0;
    image[17] = VORTEST_VERSION_MAJOR;
    image[18] = VORTEST_VERSION_MINOR;
    image[19] = 21;
    image[12] = 0;
    Fill(image, 30, 33, 0);
    image[26] = 127;
    image[27] = 94;
    image[28] = 6;
    image[29] = 0;
    Fill(image, 40, 43, 0);
  }
  if (block(options.OvrDisplay, {ParGroup::Scale})) {
    for (int address : {34, 35, 36, 44}) image[address] = 0;
    PutRounded24(image, 37, 10000);  // first capacity
    PutRounded24(image, 45, 10000);  // second capacity
    image[48] = 1;
  }
  if (block(options.OvrOutput, {ParGroup::Outputs})) {
    PutRounded24(image, 52, 5000);   // set point 1
    PutRounded24(image, 55, 10000);  // set point 2
    Fill(image, 84, 87, 0);
    image[62] = 0;
    image[82] = 0;
    image[58] = 0;  // analog output from 8192
    image[59] = 32;
    image[60] = 0;  // to 40960
    image[61] = 160;
    PutRounded24(image, 90, 10000);  // analog maximum
  }
  if (block(options.OvrComm, {ParGroup::SerialLink})) {
    image[0] = 176;
    image[1] = 1;
    image[2] = 0;
    image[3] = 32;
  }
  if (block(options.OvrInput, {ParGroup::Filter})) {
    image[5] = 3;
    image[6] = 13;
    image[7] = 3;
    image[25] = 1;
  }
  if (block(options.OvrLin, {ParGroup::SixPointTable})) {
    for (int i = 0; i <= 5; ++i) {
      Put24(image, 100 + 6 * i, 100000.0 * i + 524288);
      Put24(image, 103 + 6 * i, 100000.0 * i);
    }
  }
  flags[ParGroup::ThreePointTable] = false;
}

}  // namespace vt
