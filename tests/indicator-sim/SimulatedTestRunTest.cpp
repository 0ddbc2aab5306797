// The simulated test: start, rising force, break, stop.
#include <gtest/gtest.h>

#include <cmath>

#include "indicator-sim/IndicatorModel.h"

namespace vt::sim {
namespace {

constexpr quint16 kWatch = 0x0100;
constexpr quint16 kObserved = 0x0200;

class SimulatedTestRunTest : public ::testing::Test {
 protected:
  SimulatedTestRunTest() {
    model.SetNoise(0);
    model.SetBreakForce(250.0);
    model.SetTimeToBreak(5000);
    model.SetEncoderRate(600);
  }
  void Command(quint16 code) { model.WriteRegisters(0, {code}); }
  qint32 HoldFromRegisters() const { return qint32(quint32(model.Register(11)) << 16 | model.Register(10)); }

  IndicatorModel model;
};

TEST_F(SimulatedTestRunTest, StartSetsTheWatchClearsTheHoldAndCountsTheEncoder) {
  EXPECT_EQ(model.Register(5), 0);
  Command(Cmd::TestStart);
  EXPECT_EQ(model.Register(5), kWatch);
  EXPECT_EQ(model.HoldCounts(), 0);
  EXPECT_EQ(model.Encoder(), 0);
  model.Advance(1000);
  EXPECT_EQ(model.Register(6), 600);
  EXPECT_EQ(model.Register(5), kWatch);
}

TEST_F(SimulatedTestRunTest, ForceRisesSmoothlyToTheBreakForce) {
  Command(Cmd::TestStart);
  qint32 previous = model.LiveCounts();
  EXPECT_EQ(previous, 0);
  for (int step = 0; step < 49; ++step) {
    model.Advance(100);
    EXPECT_GT(model.LiveCounts(), previous) << "at " << (step + 1) * 100 << " ms";
    previous = model.LiveCounts();
  }
  EXPECT_LT(previous, 2500);
  EXPECT_FALSE(model.BreakObserved());
  // Half-way the force is half the break force.
  Command(Cmd::TestStart);
  model.Advance(2500);
  EXPECT_EQ(model.LiveCounts(), 1250);
}

TEST_F(SimulatedTestRunTest, BreakKeepsThePeakAndTheForceFallsToNearZero) {
  Command(Cmd::TestStart);
  model.Advance(5000);
  EXPECT_EQ(model.Register(5), kWatch | kObserved);
  EXPECT_EQ(model.LiveCounts(), 2500);  // the break is seen at its peak
  EXPECT_EQ(HoldFromRegisters(), 2500);
  const quint16 encoderAtBreak = model.Encoder();
  EXPECT_EQ(encoderAtBreak, 3000);

  model.Advance(500);
  EXPECT_LE(std::abs(model.LiveCounts()), 1);
  EXPECT_EQ(HoldFromRegisters(), 2500);
  EXPECT_EQ(model.Encoder(), encoderAtBreak);  // the encoder stops at the break
  EXPECT_EQ(model.Register(5), kWatch | kObserved);
}

TEST_F(SimulatedTestRunTest, StopEndsTheWatchAndKeepsWhatWasObserved) {
  Command(Cmd::TestStart);
  model.Advance(6000);
  Command(Cmd::TestStop);
  EXPECT_EQ(model.Register(5), kObserved);
  EXPECT_EQ(model.HoldCounts(), 2500);

  Command(Cmd::TestStart);  // a new test clears the break and the hold
  EXPECT_EQ(model.Register(5), kWatch);
  EXPECT_EQ(model.HoldCounts(), 0);
  EXPECT_EQ(model.Encoder(), 0);
}

TEST_F(SimulatedTestRunTest, StopBeforeTheBreakReleasesTheForce) {
  Command(Cmd::TestStart);
  model.Advance(3000);
  const qint32 hold = model.HoldCounts();
  EXPECT_GT(hold, 1000);
  Command(Cmd::TestStop);
  model.Advance(1000);
  EXPECT_EQ(model.Register(5), 0);
  EXPECT_LE(std::abs(model.LiveCounts()), 1);
  EXPECT_EQ(model.HoldCounts(), hold);
}

TEST_F(SimulatedTestRunTest, OneLargeStepStillCatchesThePeak) {
  Command(Cmd::TestStart);
  model.Advance(1234);
  model.Advance(60000);
  EXPECT_EQ(model.HoldCounts(), 2500);
  EXPECT_EQ(model.Encoder(), 3000);  // counting stopped right at the break
  EXPECT_TRUE(model.BreakObserved());
  EXPECT_LE(std::abs(model.LiveCounts()), 1);
}

TEST_F(SimulatedTestRunTest, AdvanceToBreakStopsRightAtTheBreak) {
  EXPECT_FALSE(model.AdvanceToBreak());
  Command(Cmd::TestStart);
  model.Advance(1234);
  EXPECT_TRUE(model.AdvanceToBreak());
  EXPECT_TRUE(model.BreakObserved());
  EXPECT_EQ(model.LiveCounts(), 2500);
  EXPECT_EQ(model.Encoder(), 3000);  // exactly five seconds of counting
}

TEST_F(SimulatedTestRunTest, HoldFollowsTheDecimalsAndTheRestLoad) {
  model.SetDecimals(2);
  model.SetLoad(1.0);
  model.WriteRegisters(0, {Cmd::Zero});
  model.SetBreakForce(101.0);  // 100 above the zeroed rest load
  Command(Cmd::TestStart);
  model.AdvanceToBreak();
  EXPECT_EQ(model.HoldCounts(), 10000);
}

TEST_F(SimulatedTestRunTest, EncoderWrapsAtSixteenBits) {
  model.SetEncoderRate(10000);
  model.SetTimeToBreak(10000);
  Command(Cmd::TestStart);
  model.Advance(7000);
  EXPECT_EQ(model.Encoder(), 70000 - 65536);
}

TEST_F(SimulatedTestRunTest, NoiseStaysWithinItsAmplitudeAndRepeatsWithTheSeed) {
  auto run = [](quint32 seed) {
    IndicatorModel model;
    model.SetNoise(0.5);
    model.SeedNoise(seed);
    model.SetLoad(100.0);
    std::vector<qint32> values;
    for (int i = 0; i < 200; ++i) {
      model.Advance(10);
      values.push_back(model.LiveCounts());
    }
    return values;
  };
  const std::vector<qint32> first = run(7);
  EXPECT_EQ(first, run(7));
  EXPECT_NE(first, run(8));
  for (qint32 value : first) {
    EXPECT_GE(value, 995);
    EXPECT_LE(value, 1005);
  }
  EXPECT_NE(*std::min_element(first.begin(), first.end()), *std::max_element(first.begin(), first.end()));
}

TEST_F(SimulatedTestRunTest, HoldWithNoiseIsTheHighestShownValue) {
  model.SetNoise(0.3);
  Command(Cmd::TestStart);
  qint32 highest = model.LiveCounts();
  for (int ms = 0; ms < 5000; ms += 10) {
    model.Advance(10);
    highest = std::max(highest, model.LiveCounts());
  }
  ASSERT_TRUE(model.BreakObserved());
  EXPECT_EQ(model.HoldCounts(), highest);
  EXPECT_NEAR(highest, 2500, 3);
}

}  // namespace
}  // namespace vt::sim
