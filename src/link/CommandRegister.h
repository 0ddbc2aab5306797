#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "link/Communication.h"
#include "link/Transactions.h"

namespace vt {

// Command codes written into the indicator's register 0.
namespace IndCmd {
constexpr int Unlock = 1;
constexpr int WritePar = 2;
constexpr int ReadPar = 3;
constexpr int SerialLinkApply = 4;
constexpr int ZeroChecked = 5;
constexpr int Tare = 6;
constexpr int DeviceType = 8;
constexpr int Version = 9;
constexpr int ToRam = 10;
constexpr int ToEEprom = 11;
constexpr int ResetFailure = 12;
constexpr int TestStart = 51;
constexpr int TestStop = 52;
constexpr int SpanCal = 108;
constexpr int Zero = 122;
}  // namespace IndCmd

// The access code that command 1 carries before every parameter write: two
// 16-bit words the indicator expects.
constexpr std::array<std::int32_t, 2> kParameterAccessCode = {0x1234, 0x5678};

// What ReadDeviceType returns when the type could not be read.
constexpr int kNoDeviceType = -1;

// Result codes the indicator leaves in register 0 that the program tells apart.
constexpr std::int32_t kResultCodeFFFE = 0xFFFE;
constexpr std::int32_t kResultCodeFFFF = 0xFFFF;

// The indicator's command-register operations: a command code (with its
// arguments) is written into registers 0 to 2 and, for the awaited ones,
// register 0 is read back until the indicator replaces the code with its
// result, or the countdown CmdTimer runs out. Once a stop has overtaken the
// command, its reads fail: it ends as failed.
class CommandRegister {
 public:
  CommandRegister(Transactions& transactions, Communication& comm) : txn_(transactions), comm_(comm) {}

  // The device type from register 1, or kNoDeviceType.
  int ReadDeviceType(int address);
  bool ReadParam(int address, int parameter, std::int32_t& value);
  bool WriteParam(int address, int parameter, std::int32_t value);
  // The firmware version times ten.
  bool RunCmd9(int address, std::int32_t& version);
  bool RunCmd10(int address) { return RunStore(address, IndCmd::ToRam); }
  bool RunCmd11(int address) { return RunStore(address, IndCmd::ToEEprom); }
  bool RunCmd12(int address);
  bool RunCmd4(int address);
  // 0 done, 1 failed or an unknown code, 2 code FFFEh, 3 code FFFFh.
  int RunCmd5(int address);
  // 0 done, 1 a code other than FFFEh, 2 code FFFEh, 3 no result.
  int RunCmd6(int address);
  // Writes a register without waiting for the indicator's result; polling
  // goes on. True when the write was answered.
  bool SetRegister(int address, int reg, int value);

 private:
  enum class Outcome { Changed, Failed };
  // Reads registers from 0 until register 0 no longer holds `code`.
  Outcome AwaitChange(int address, int code, int count, std::span<std::int32_t> regs);
  // Writes a bare code with the countdown set first and awaits its result.
  std::optional<std::int32_t> RunBareCommand(int address, int code);
  bool RunStore(int address, int code);

  Transactions& txn_;
  Communication& comm_;
};

}  // namespace vt
