#include "link/CommandRegister.h"

namespace vt {
namespace {

// Countdowns in poll ticks.
constexpr int kDeviceTypeTicks = 40;
constexpr int kCommandTicks = 200;

}  // namespace

CommandRegister::Outcome CommandRegister::AwaitChange(int address, int code, int count,
                                                      std::span<std::int32_t> regs) {
  while (true) {
    if (!txn_.ReadRegisters(address, 0, count, regs)) return Outcome::Failed;
    if (comm_.CmdTimer == 0) return Outcome::Failed;
    if (regs[0] != code) return Outcome::Changed;
  }
}

std::optional<std::int32_t> CommandRegister::RunBareCommand(int address, int code) {
  comm_.CmdTimer = kCommandTicks;
  std::array<std::int32_t, 3> regs{};
  if (!txn_.WriteRegister(address, 0, code)) return std::nullopt;
  if (AwaitChange(address, code, 1, regs) == Outcome::Failed) return std::nullopt;
  return regs[0];
}

int CommandRegister::ReadDeviceType(int address) {
  comm_.CmdTimer = kDeviceTypeTicks;
  std::array<std::int32_t, 3> regs = {IndCmd::DeviceType, 0, 0};
  int result = kNoDeviceType;
  if (txn_.WriteRegisters(address, 0, 3, regs) &&
      AwaitChange(address, IndCmd::DeviceType, 3, regs) == Outcome::Changed) {
    result = regs[1];
  }
  comm_.PollEnabled = true;
  return result;
}

bool CommandRegister::ReadParam(int address, int parameter, std::int32_t& value) {
  std::array<std::int32_t, 3> regs = {IndCmd::ReadPar, parameter, 0};
  if (!txn_.WriteRegisters(address, 0, 2, regs)) return false;
  comm_.CmdTimer = kCommandTicks;
  if (AwaitChange(address, IndCmd::ReadPar, 3, regs) == Outcome::Failed || regs[0] != 0) return false;
  value = regs[2];
  return true;
}

bool CommandRegister::WriteParam(int address, int parameter, std::int32_t value) {
  comm_.CmdTimer = kCommandTicks;
  std::array<std::int32_t, 3> regs = {IndCmd::Unlock, kParameterAccessCode[0], kParameterAccessCode[1]};
  if (!txn_.WriteRegisters(address, 0, 3, regs)) return false;
  if (AwaitChange(address, IndCmd::Unlock, 3, regs) == Outcome::Failed) return false;

  regs = {IndCmd::WritePar, parameter, value};
  if (!txn_.WriteRegisters(address, 0, 3, regs)) return false;
  comm_.CmdTimer = kCommandTicks;
  if (AwaitChange(address, IndCmd::WritePar, 3, regs) == Outcome::Failed) return false;
  return regs[0] == 0;
}

bool CommandRegister::RunCmd9(int address, std::int32_t& version) {
  std::array<std::int32_t, 3> regs{};
  bool done = false;
  if (txn_.WriteRegister(address, 0, IndCmd::Version)) {
    comm_.CmdTimer = kCommandTicks;
    done = AwaitChange(address, IndCmd::Version, 2, regs) == Outcome::Changed && regs[0] == 0;
  }
  if (done) version = regs[1];
  comm_.PollEnabled = true;
  return done;
}

bool CommandRegister::RunStore(int address, int code) { return RunBareCommand(address, code) == 0; }

bool CommandRegister::RunCmd12(int address) {
  const bool done = RunBareCommand(address, IndCmd::ResetFailure) == 0;
  comm_.PollEnabled = true;
  return done;
}

bool CommandRegister::RunCmd4(int address) { return txn_.WriteRegister(address, 0, IndCmd::SerialLinkApply); }

int CommandRegister::RunCmd5(int address) {
  const auto code = RunBareCommand(address, IndCmd::ZeroChecked);
  comm_.PollEnabled = true;
  if (!code) return 1;
  switch (*code) {
    case 0: return 0;
    case kResultCodeFFFE: return 2;
    case kResultCodeFFFF: return 3;
    default: return 1;
  }
}

int CommandRegister::RunCmd6(int address) {
  const auto code = RunBareCommand(address, IndCmd::Tare);
  comm_.PollEnabled = true;
  if (!code) return 3;
  if (*code == 0) return 0;
  return *code == kResultCodeFFFE ? 2 : 1;
}

bool CommandRegister::SetRegister(int address, int reg, int value) {
  comm_.CmdTimer = kCommandTicks;
  const bool written = txn_.WriteRegister(address, reg, value);
  comm_.PollEnabled = true;
  return written;
}

}  // namespace vt
