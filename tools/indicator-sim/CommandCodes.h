#pragma once

#include <QtGlobal>

namespace vt::sim {

// Codes the master writes into the command register (holding register 0).
namespace Cmd {
constexpr quint16 Unlock = 1;      // registers 1, 2: the access code
constexpr quint16 WriteParam = 2;  // register 1: address, register 2: value
constexpr quint16 ReadParam = 3;   // register 1: address; value back in register 2
constexpr quint16 ApplySerialLink = 4;
constexpr quint16 CheckedZero = 5;
constexpr quint16 Tare = 6;
constexpr quint16 DeviceType = 8;  // device type back in register 1
constexpr quint16 Version = 9;     // firmware version x10 back in register 1
constexpr quint16 StoreToRam = 10;
constexpr quint16 StoreToEeprom = 11;
constexpr quint16 ResetFailure = 12;
constexpr quint16 TestStart = 51;
constexpr quint16 TestStop = 52;
constexpr quint16 SpanCalibration = 108;  // registers 1 (low), 2 (high): the known load
constexpr quint16 Zero = 122;
}  // namespace Cmd

// What register 0 holds when an awaited command has ended.
namespace Result {
constexpr quint16 Done = 0;
constexpr quint16 Refused = 0xFFFD;       // unknown code, locked memory, bad address or value
constexpr quint16 ValueRefused = 0xFFFE;  // tare: value zero or negative; checked zero: value too large
constexpr quint16 InMotion = 0xFFFF;
}  // namespace Result

// Commands the indicator carries out at once: the master does not wait for
// a result, and register 0 reads 0 again straight away.
constexpr bool IsImmediate(quint16 code) {
  return code == Cmd::ApplySerialLink || code == Cmd::TestStart || code == Cmd::TestStop ||
         code == Cmd::SpanCalibration || code == Cmd::Zero;
}

}  // namespace vt::sim
