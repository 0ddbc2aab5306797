#include "setup/WriteSetUp.h"

#include "setup/ParameterGroups.h"

namespace vt {
namespace {

// The indicator families by the device type they report: the family's name
// and the tool that sets it up. This program is made for type 1901.
struct DeviceTypeRow {
  int DeviceType;
  const char* family;
  const char* tool;
};
constexpr int kCompatibleDeviceType = 1901;
constexpr DeviceTypeRow kDeviceTypes[] = {
    {kCompatibleDeviceType, "Force indicator", "VorTEST"},
};
constexpr DeviceTypeRow kUnknownDevice = {-1, "Unknown device type!", "Specific to the device."};

const DeviceTypeRow& LookUpDeviceType(int type) {
  for (const DeviceTypeRow& row : kDeviceTypes) {
    if (row.DeviceType == type) return row;
  }
  return kUnknownDevice;
}


}  // namespace

WriteSetUp::WriteSetUp(Program& program, CommandRegister& commands, ProcListArray& procList, int calibRW,
                       QWidget* owner)
    : TransferWindow(QStringLiteral("WriteSetUp"), program, commands, procList, owner), calibRW_(calibRW) {}

void WriteSetUp::Transfer() {
  ResetCounts();
  if (!DeviceAccepted()) return;
  const Global& global = program_.global;
  for (int address : WriteAddresses(global.ParFlags, global.ServiceMode(), calibRW_)) AddProcList(address);
  Action->setText(QStringLiteral("Saving Setup"));
  WriteQueued();
  Store();
  ApplySerialLink();
}

bool WriteSetUp::DeviceAccepted() {
  const int type = commands_.ReadDeviceType(DeviceAddress());
  if (type == kCompatibleDeviceType) return true;
  // A type that could not be read is a failed transfer, not a foreign device.
  if (type == kNoDeviceType) {
    program_.comm.CommError = true;
    return false;
  }
  const DeviceTypeRow& row = LookUpDeviceType(type);
  const QString question = QString::number(type) +
                           QStringLiteral(": This program is not compatible with this device. Calibration "
                                          "information can be lost.\nPlease use ") +
                           QString::fromLatin1(row.tool) + QStringLiteral("\nDo you want to continue?");
  const int style = MsgStyle::YesNo + MsgStyle::Critical + MsgStyle::DefaultButton2;
  return program_.dialogs.MsgBox(question, style, QString::fromLatin1(row.family)) == MsgAnswer::Yes;
}

void WriteSetUp::WriteQueued() {
  const auto& image = program_.global.ParImage;
  for (int i = 0; i < ProcCount; ++i) {
    const int address = ProcList[i];
    if (!FourAttempts([&] { return commands_.WriteParam(DeviceAddress(), address, image[address]); })) {
      program_.comm.CommError = true;
      return;
    }
    StepDone();
  }
}

void WriteSetUp::Store() {
  if (program_.comm.CommError) return;
  const auto& flags = program_.global.ParFlags;
  // A write of a point table ends with the store to EEPROM.
  const bool toEEprom = flags[ParGroup::SixPointTable] || flags[ParGroup::ThreePointTable];
  const bool stored = FourAttempts(
      [&] { return toEEprom ? commands_.RunCmd11(DeviceAddress()) : commands_.RunCmd10(DeviceAddress()); });
  if (!stored) program_.comm.CommError = true;
}

void WriteSetUp::ApplySerialLink() {
  if (!program_.global.ParFlags[ParGroup::SerialLink]) return;
  if (!FourAttempts([&] { return commands_.RunCmd4(DeviceAddress()); })) program_.comm.CommError = true;
}

}  // namespace vt
