#pragma once

#include <QtGlobal>
#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "indicator-sim/CommandCodes.h"
#include "indicator-sim/ParameterMemory.h"
#include "indicator-sim/TestRun.h"

namespace vt::sim {

// A command code as it arrived in register 0, with registers 1 and 2 as
// they stood at that moment.
struct ReceivedCommand {
  quint16 code = 0;
  quint16 arg1 = 0;
  quint16 arg2 = 0;
};

// The force indicator behind the Modbus front ends: its holding registers,
// the command register, the parameter memory, the weighing chain (zero,
// tare, span) and the simulated test. Single-threaded; time moves only
// through Advance.
//
// Holding registers 0 to 63 exist. 0 to 2 are the command register and its
// arguments, 3 to 11 the poll block that the indicator computes (read-only),
// the rest are plain storage that reads 0 until written.
class IndicatorModel {
 public:
  static constexpr int kRegisterCount = 64;
  static constexpr quint16 kDeviceType = 1901;
  static constexpr quint16 kFirmwareVersion = 12;  // version 1.2, reported x10

  IndicatorModel();

  // ---- Modbus access (used by the front ends) ----
  static bool IsWritable(int reg) { return reg < 3 || reg > 11; }
  // Function 03. A read that covers register 0 counts towards the end of
  // an awaited command.
  std::vector<quint16> ReadRegisters(int start, int count);
  // Functions 06 and 10h. Registers are stored in ascending order, so the
  // arguments in 1 and 2 are in place when register 0 takes a code. False
  // for a write of the refused code into register 0: nothing is stored, and
  // the front end answers with an exception.
  bool WriteRegisters(int start, const std::vector<quint16>& values);

  // ---- What tests look at (no side effects) ----
  quint16 Register(int reg) const;
  qint32 LiveCounts() const;  // registers 8/9
  qint32 HoldCounts() const;  // registers 10/11
  quint16 Encoder() const { return run_.Encoder(); }
  bool BreakWatch() const { return run_.Watching(); }
  bool BreakObserved() const { return run_.Broken(); }
  bool TestPulling() const { return run_.Pulling(); }
  // The shown value in the display unit (the live value before rounding).
  double ShownValue() const;
  // Every code written into register 0, oldest first.
  const std::vector<ReceivedCommand>& Commands() const { return commands_; }
  // The access code words of the last unlock command.
  std::optional<std::pair<quint16, quint16>> AccessCode() const { return accessCode_; }
  int RamStores() const { return ramStores_; }
  int EepromStores() const { return eepromStores_; }
  int SerialLinkApplies() const { return serialLinkApplies_; }

  // ---- Command completion ----
  // An awaited code stays in register 0 for this many reads of it; the read
  // after shows the result (default 2).
  void SetReadsUntilDone(int reads) { readsUntilDone_ = std::max(0, reads); }
  // The command ends with this value in register 0 instead of its own
  // result; a forced 0 lets the command do its work.
  void ForceResult(quint16 code, quint16 registerZero) { forced_[code] = registerZero; }
  // The command never ends: its code stays in register 0.
  void ForceNeverCompletes(quint16 code) { forced_[code] = std::nullopt; }
  void ClearForcedResults() { forced_.clear(); }
  // A write of this code into register 0 is refused with the exception
  // "slave device failure" (still listed in Commands()); nothing: none is.
  void RefuseCommandWrites(std::optional<quint16> code) { refusedCode_ = code; }
  // The next `count` parameter reads and writes (codes 3 and 2) end with
  // FFFDh and change nothing; later ones work again.
  void FailParameterCommands(int count) { parameterFailures_ = std::max(0, count); }
  int ParameterFailuresLeft() const { return parameterFailures_; }

  // ---- Indicator state ----
  void SetDeviceType(quint16 type) { deviceType_ = type; }
  void SetFirmwareVersion(quint16 versionTimesTen) { version_ = versionTimesTen; }
  quint8 Parameter(int address) const { return memory_.At(address); }
  void SetParameter(int address, quint8 value) { memory_.Set(address, value); }
  // The decimal count lives in parameter 44, as on the indicator.
  int Decimals() const { return memory_.Decimals(); }
  void SetDecimals(int decimals);
  // Digital inputs 1 to 4 as bits 0 to 3.
  void SetInputs(int mask) { inputs_ = mask & 0xF; }
  // The weighing is unsteady; also true by itself while a test pulls.
  void SetInMotion(bool moving) { inMotion_ = moving; }
  bool InMotion() const { return inMotion_ || run_.Pulling(); }
  void SetFailure(bool failed) { failure_ = failed; }
  bool Failure() const { return failure_; }
  // The force on the load cell outside a test, in the display unit.
  void SetLoad(double load) { run_.SetRestLoad(load); }
  // Largest gross value, in counts, that the checked zero (command 5) takes
  // away; by default 2 % of the capacity in parameters 37 to 39.
  int ZeroRangeCounts() const;

  // ---- The simulated test ----
  void SetBreakForce(double force) { run_.Settings().breakForce = force; }
  void SetTimeToBreak(int ms) { run_.Settings().msToBreak = std::max(0, ms); }
  void SetEncoderRate(double countsPerSecond) { run_.Settings().encoderPerSecond = countsPerSecond; }
  void SetNoise(double amplitude) { run_.Settings().noise = amplitude; }
  void SeedNoise(quint32 seed) { run_.Seed(seed); }
  const TestRun::Profile& Profile() const { return run_.Settings(); }
  // Moves the indicator's time on.
  void Advance(qint64 ms);
  // Moves time on until the running test breaks; false when none runs.
  bool AdvanceToBreak();

 private:
  struct Pending {
    quint16 code = 0;
    int readsLeft = 0;
  };

  void TakeCommand(quint16 code);
  void Complete();
  quint16 Carry(quint16 code);
  quint16 WriteParameter();
  quint16 ReadParameter();
  quint16 CheckedZero();
  quint16 Tare();
  void SpanCalibration();
  void Zero();
  void StartTest();
  double Gross(double load) const;
  qint32 Counts(double value) const;

  std::array<quint16, kRegisterCount> stored_{};  // registers 0 to 2 and 12 up
  std::optional<Pending> pending_;
  int readsUntilDone_ = 2;
  std::map<quint16, std::optional<quint16>> forced_;  // nullopt: never completes
  std::optional<quint16> refusedCode_;
  int parameterFailures_ = 0;
  std::vector<ReceivedCommand> commands_;
  std::optional<std::pair<quint16, quint16>> accessCode_;
  bool unlocked_ = false;
  int ramStores_ = 0;
  int eepromStores_ = 0;
  int serialLinkApplies_ = 0;

  ParameterMemory memory_;
  quint16 deviceType_ = kDeviceType;
  quint16 version_ = kFirmwareVersion;
  int inputs_ = 0;
  bool inMotion_ = false;
  bool failure_ = false;

  // Weighing chain: gross = (load - zeroLoad) * gain; shown = gross - tare.
  double zeroLoad_ = 0;
  double gain_ = 1;
  double tare_ = 0;

  TestRun run_;
  qint32 hold_ = 0;  // latched peak of the running or last test, in counts
};

}  // namespace vt::sim
