// The shown value and the commands that act on it: tare, zero, checked zero
// and span calibration; the status word.
#include <gtest/gtest.h>

#include "indicator-sim/IndicatorModel.h"

namespace vt::sim {
namespace {

class WeighingTest : public ::testing::Test {
 protected:
  WeighingTest() {
    model.SetNoise(0);
    model.SetReadsUntilDone(0);
  }

  // Runs an awaited command to its end and returns register 0.
  quint16 Run(quint16 code) {
    model.WriteRegisters(0, {code});
    return model.ReadRegisters(0, 1)[0];
  }
  void Span(qint32 knownCounts) {
    model.WriteRegisters(2, {quint16(quint32(knownCounts) >> 16)});
    model.WriteRegisters(1, {quint16(knownCounts & 0xFFFF)});
    model.WriteRegisters(0, {Cmd::SpanCalibration});
  }
  qint32 LiveFromRegisters() const { return qint32(quint32(model.Register(9)) << 16 | model.Register(8)); }

  IndicatorModel model;
};

TEST_F(WeighingTest, LiveValueTravelsAsSignedCountsLowWordFirst) {
  model.SetLoad(234.5);
  EXPECT_EQ(model.Register(8), 2345);
  EXPECT_EQ(model.Register(9), 0);
  model.SetLoad(-0.2);
  EXPECT_EQ(model.Register(8), 0xFFFE);
  EXPECT_EQ(model.Register(9), 0xFFFF);
  model.SetLoad(10000.0);
  model.SetDecimals(2);
  EXPECT_EQ(LiveFromRegisters(), 1000000);
  EXPECT_EQ(model.Register(9), 0x000F);
}

TEST_F(WeighingTest, StatusWordCarriesDecimalsAndInputs) {
  model.SetDecimals(2);
  model.SetInputs(0b1010);
  EXPECT_EQ(model.Register(3), 0x0200 | 0xA000);
  model.SetDecimals(7);
  model.SetInputs(0xFF);  // only four inputs
  EXPECT_EQ(model.Register(3), 0x0700 | 0xF000);
  EXPECT_EQ(model.Register(4), 0);
  EXPECT_EQ(model.Register(7), 0);
}

TEST_F(WeighingTest, DecimalPointParameterAboveSevenReadsAsNoDecimals) {
  model.SetParameter(44, 9);
  model.SetLoad(12.0);
  EXPECT_EQ(model.Register(3) & 0x0700, 0);
  EXPECT_EQ(model.LiveCounts(), 12);
}

TEST_F(WeighingTest, TareTakesTheShownValueAway) {
  model.SetLoad(40.0);
  EXPECT_EQ(Run(Cmd::Tare), Result::Done);
  EXPECT_EQ(model.LiveCounts(), 0);
  model.SetLoad(55.5);
  EXPECT_EQ(model.LiveCounts(), 155);
}

TEST_F(WeighingTest, TareRefusesZeroOrNegativeAndMotion) {
  model.SetLoad(0.0);
  EXPECT_EQ(Run(Cmd::Tare), Result::ValueRefused);
  model.SetLoad(-3.0);
  EXPECT_EQ(Run(Cmd::Tare), Result::ValueRefused);
  EXPECT_EQ(model.LiveCounts(), -30);
  model.SetLoad(3.0);
  model.SetInMotion(true);
  EXPECT_EQ(Run(Cmd::Tare), Result::InMotion);
  EXPECT_EQ(model.LiveCounts(), 30);
  model.SetInMotion(false);
  EXPECT_EQ(Run(Cmd::Tare), Result::Done);
}

TEST_F(WeighingTest, ARunningTestIsMotion) {
  model.SetLoad(10.0);
  model.WriteRegisters(0, {Cmd::TestStart});
  model.Advance(100);
  EXPECT_TRUE(model.InMotion());
  EXPECT_EQ(Run(Cmd::Tare), Result::InMotion);
  EXPECT_EQ(Run(Cmd::CheckedZero), Result::InMotion);
}

TEST_F(WeighingTest, ZeroTakesTheLoadAwayAndClearsTheTare) {
  model.SetLoad(20.0);
  Run(Cmd::Tare);
  model.SetLoad(30.0);
  model.WriteRegisters(0, {Cmd::Zero});
  EXPECT_EQ(model.Register(0), Result::Done);
  EXPECT_EQ(model.LiveCounts(), 0);
  model.SetLoad(35.0);
  EXPECT_EQ(model.LiveCounts(), 50);  // no tare left
}

TEST_F(WeighingTest, CheckedZeroWorksOnlyWithinTheZeroRange) {
  // Capacity 10000 counts: the zero range is 200 counts, 20.0 kg.
  EXPECT_EQ(model.ZeroRangeCounts(), 200);
  model.SetLoad(20.1);
  EXPECT_EQ(Run(Cmd::CheckedZero), Result::ValueRefused);
  EXPECT_EQ(model.LiveCounts(), 201);
  model.SetLoad(-20.0);
  EXPECT_EQ(Run(Cmd::CheckedZero), Result::Done);
  EXPECT_EQ(model.LiveCounts(), 0);
  model.SetInMotion(true);
  EXPECT_EQ(Run(Cmd::CheckedZero), Result::InMotion);
}

TEST_F(WeighingTest, SpanMakesTheCurrentLoadShowTheKnownLoad) {
  model.SetLoad(2.0);
  model.WriteRegisters(0, {Cmd::Zero});
  model.SetLoad(52.0);  // 50 on the scale, shown as 500 counts
  Span(10000);          // it is really 1000.0
  EXPECT_EQ(model.Register(0), Result::Done);
  EXPECT_EQ(model.LiveCounts(), 10000);
  model.SetLoad(27.0);  // half of it
  EXPECT_EQ(model.LiveCounts(), 5000);
}

TEST_F(WeighingTest, SpanTakesAKnownLoadAboveSixteenBits) {
  model.SetLoad(100.0);
  Span(70000);
  EXPECT_EQ(model.LiveCounts(), 70000);
}

TEST_F(WeighingTest, SpanIsIgnoredWithNothingOnTheScaleOrANonPositiveLoad) {
  model.SetLoad(0.0);
  Span(10000);
  model.SetLoad(10.0);
  EXPECT_EQ(model.LiveCounts(), 100);
  Span(-1);
  Span(0);
  EXPECT_EQ(model.LiveCounts(), 100);
}

}  // namespace
}  // namespace vt::sim
