#include "indicator-sim/FaultPlan.h"

namespace vt::sim {

namespace {

Fault Pick(const FaultRates& rates, double draw, bool canClose) {
  const std::pair<double, Fault> bands[] = {
      {rates.silence, Fault::Silence},           {canClose ? rates.closeConnection : 0.0, Fault::CloseConnection},
      {rates.exception, Fault::Exception},       {rates.drop, Fault::Drop},
      {rates.corruptCheck, Fault::CorruptCheck}, {rates.late, Fault::Late},
      {rates.garbage, Fault::Garbage},           {rates.truncate, Fault::Truncate},
      {rates.foreignAddress, Fault::ForeignAddress}, {rates.wrongFunction, Fault::WrongFunction},
      {rates.wrongContent, Fault::WrongContent},     {rates.echo, Fault::Echo},
  };
  double edge = 0;
  for (const auto& [rate, fault] : bands) {
    edge += rate;
    if (draw < edge) return fault;
  }
  return Fault::None;
}

}  // namespace

Fault FaultPlan::Draw(bool canClose) {
  Fault fault = Silent() ? Fault::Silence : Pick(rates_, Uniform(), canClose);
  if (fault == Fault::Silence && !Silent()) StartSilence(silenceMs);
  ++counts_[int(fault)];
  return fault;
}

QByteArray FaultPlan::Garbage() {
  QByteArray bytes(4 + int(random_() % 13), '\0');
  for (char& byte : bytes) byte = char(random_() & 0xFF);
  return bytes;
}

double FaultPlan::Uniform() {
  // Own mapping to [0, 1): the same seed gives the same faults with every
  // standard library.
  return double(random_()) / (double(std::mt19937::max()) + 1.0);
}

}  // namespace vt::sim
