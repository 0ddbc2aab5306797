#include "indicator-sim/IndicatorModel.h"

#include <cmath>
#include <limits>

namespace vt::sim {

namespace {

constexpr quint16 LowWord(qint32 value) { return quint16(quint32(value) & 0xFFFF); }
constexpr quint16 HighWord(qint32 value) { return quint16(quint32(value) >> 16); }

}  // namespace

IndicatorModel::IndicatorModel() = default;

// ---- Modbus access ----

std::vector<quint16> IndicatorModel::ReadRegisters(int start, int count) {
  std::vector<quint16> values;
  for (int reg = start; reg < start + count; ++reg) values.push_back(Register(reg));
  if (start == 0 && pending_ && --pending_->readsLeft <= 0) Complete();
  return values;
}

bool IndicatorModel::WriteRegisters(int start, const std::vector<quint16>& values) {
  if (start == 0 && !values.empty() && values[0] == refusedCode_) {
    commands_.push_back({values[0], stored_[1], stored_[2]});
    return false;
  }
  for (std::size_t i = 0; i < values.size(); ++i) {
    const int reg = start + int(i);
    if (reg != 0) stored_[reg] = values[i];
  }
  if (start == 0 && !values.empty()) TakeCommand(values[0]);
  return true;
}

// ---- Registers ----

quint16 IndicatorModel::Register(int reg) const {
  switch (reg) {
    case 3:
      return quint16(Decimals() << 8 | inputs_ << 12);
    case 5:
      return quint16((run_.Watching() ? 0x0100 : 0) | (run_.Broken() ? 0x0200 : 0));
    case 6:
      return run_.Encoder();
    case 8:
      return LowWord(LiveCounts());
    case 9:
      return HighWord(LiveCounts());
    case 10:
      return LowWord(hold_);
    case 11:
      return HighWord(hold_);
    case 4:
    case 7:
      return 0;
    default:
      return reg >= 0 && reg < kRegisterCount ? stored_[reg] : 0;
  }
}

double IndicatorModel::ShownValue() const { return Gross(run_.Load()) - tare_; }

qint32 IndicatorModel::LiveCounts() const { return Counts(ShownValue()); }

qint32 IndicatorModel::HoldCounts() const { return hold_; }

double IndicatorModel::Gross(double load) const { return (load - zeroLoad_) * gain_; }

qint32 IndicatorModel::Counts(double value) const {
  const double counts = std::round(value * std::pow(10.0, Decimals()));
  constexpr double lowest = std::numeric_limits<qint32>::min();
  constexpr double highest = std::numeric_limits<qint32>::max();
  return qint32(std::clamp(counts, lowest, highest));
}

void IndicatorModel::SetDecimals(int decimals) {
  memory_.Set(ParameterMemory::kDecimalPoint, quint8(std::clamp(decimals, 0, 7)));
}

int IndicatorModel::ZeroRangeCounts() const { return memory_.Capacity() / 50; }

// ---- Time ----

void IndicatorModel::Advance(qint64 ms) {
  const bool pulling = run_.Pulling();
  run_.Advance(ms);
  if (pulling) hold_ = std::max(hold_, Counts(Gross(run_.PeakLoad()) - tare_));
}

bool IndicatorModel::AdvanceToBreak() {
  if (!run_.Pulling()) return false;
  Advance(run_.MsToBreak());
  return true;
}

// ---- The command register ----

void IndicatorModel::TakeCommand(quint16 code) {
  pending_.reset();
  stored_[0] = code;
  if (code == 0) return;  // writing 0 only clears the register
  commands_.push_back({code, stored_[1], stored_[2]});
  if (IsImmediate(code)) {
    Carry(code);
    stored_[0] = Result::Done;
    return;
  }
  const auto forced = forced_.find(code);
  if (forced != forced_.end() && !forced->second) return;  // stays for ever
  pending_ = Pending{code, readsUntilDone_};
  if (readsUntilDone_ == 0) Complete();
}

void IndicatorModel::Complete() {
  const quint16 code = pending_->code;
  pending_.reset();
  if ((code == Cmd::ReadParam || code == Cmd::WriteParam) && parameterFailures_ > 0) {
    --parameterFailures_;
    unlocked_ = false;
    stored_[0] = Result::Refused;
    return;
  }
  const auto forced = forced_.find(code);
  if (forced != forced_.end() && *forced->second != Result::Done) {
    stored_[0] = *forced->second;
    return;
  }
  stored_[0] = Carry(code);
}

quint16 IndicatorModel::Carry(quint16 code) {
  switch (code) {
    case Cmd::Unlock:
      accessCode_ = {stored_[1], stored_[2]};
      unlocked_ = true;
      return Result::Done;
    case Cmd::WriteParam:
      return WriteParameter();
    case Cmd::ReadParam:
      return ReadParameter();
    case Cmd::ApplySerialLink:
      ++serialLinkApplies_;
      return Result::Done;
    case Cmd::CheckedZero:
      return CheckedZero();
    case Cmd::Tare:
      return Tare();
    case Cmd::DeviceType:
      stored_[1] = deviceType_;
      return Result::Done;
    case Cmd::Version:
      stored_[1] = version_;
      return Result::Done;
    case Cmd::StoreToRam:
      ++ramStores_;
      return Result::Done;
    case Cmd::StoreToEeprom:
      ++eepromStores_;
      return Result::Done;
    case Cmd::ResetFailure:
      failure_ = false;
      return Result::Done;
    case Cmd::TestStart:
      run_.Start();
      hold_ = 0;
      return Result::Done;
    case Cmd::TestStop:
      run_.Stop();
      return Result::Done;
    case Cmd::SpanCalibration:
      SpanCalibration();
      return Result::Done;
    case Cmd::Zero:
      Zero();
      return Result::Done;
    default:
      return Result::Refused;
  }
}

quint16 IndicatorModel::WriteParameter() {
  const bool unlocked = std::exchange(unlocked_, false);  // one unlock, one write
  const quint16 address = stored_[1];
  const quint16 value = stored_[2];
  if (!unlocked || address >= ParameterMemory::kSize || value > 0xFF) return Result::Refused;
  memory_.Set(address, quint8(value));
  return Result::Done;
}

quint16 IndicatorModel::ReadParameter() {
  const quint16 address = stored_[1];
  if (address >= ParameterMemory::kSize) return Result::Refused;
  stored_[2] = memory_.At(address);
  return Result::Done;
}

quint16 IndicatorModel::CheckedZero() {
  if (InMotion()) return Result::InMotion;
  if (std::abs(Counts(Gross(run_.Load()))) > ZeroRangeCounts()) return Result::ValueRefused;
  Zero();
  return Result::Done;
}

quint16 IndicatorModel::Tare() {
  if (InMotion()) return Result::InMotion;
  if (LiveCounts() <= 0) return Result::ValueRefused;
  tare_ = Gross(run_.Load());
  return Result::Done;
}

void IndicatorModel::Zero() {
  zeroLoad_ = run_.Load();
  tare_ = 0;
}

void IndicatorModel::SpanCalibration() {
  // The known load arrives in counts: low word in register 1, high in 2.
  const qint32 known = qint32(quint32(stored_[2]) << 16 | stored_[1]);
  const double span = run_.Load() - zeroLoad_;
  if (known <= 0 || std::abs(span) < 1e-9) return;  // nothing on the scale to calibrate with
  gain_ = known / std::pow(10.0, Decimals()) / span;
  tare_ = 0;
}

}  // namespace vt::sim
