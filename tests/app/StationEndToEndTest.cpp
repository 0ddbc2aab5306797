#include <gtest/gtest.h>

#include "SimulatedStation.h"
#include "settings/Formats.h"
#include "settings/NumberText.h"

namespace vt {
namespace {

// A whole test, from the start button to the break, against the simulated
// indicator over TCP with every timer of the main window running.
TEST(StationEndToEnd, ASimulatedTestRunsToItsBreakAndTheWindowFollowsTheIndicator) {
  test::SimulatedStation station;
  sim::IndicatorModel& indicator = station.indicator();
  indicator.SetBreakForce(100.0);
  indicator.SetTimeToBreak(3000);
  indicator.SetEncoderRate(300);
  MainForm& form = *station.form;
  TestPage& page = *form.testPage;
  Program& program = form.program;
  form.settingsPage->machinePanel->txtPreLoading->setText(QStringLiteral("5"));
  ASSERT_TRUE(station.WaitForLink());

  // Before the test the break watch is off: the LEDs show it and a new test is pending.
  station.WaitForLedRefresh();
  EXPECT_TRUE(form.leds.IsOff(page.HOLDRUN));
  EXPECT_TRUE(form.leds.IsOff(page.holdOK));
  EXPECT_TRUE(program.graphic.NewTestPending);
  EXPECT_EQ(page.LabDispData->text(), QStringLiteral("0.0"));
  EXPECT_EQ(form.settingsPage->linkPanel->labCommTestVal->text(), QStringLiteral("0.0"));

  form.testRun->cmdStart_Click();
  ASSERT_TRUE(station.WaitFor([&] { return form.leds.IsOn(page.HOLDRUN); }));
  // The first fed sample restarts the curve.
  ASSERT_TRUE(station.WaitFor([&] { return program.graphic.GraphSampleCount >= 3; }));
  EXPECT_FALSE(program.graphic.NewTestPending);
  EXPECT_FALSE(program.global.RecordLoaded);

  ASSERT_TRUE(station.WaitFor([&] { return form.leds.IsOn(page.holdOK); }, 10000));
  EXPECT_TRUE(indicator.BreakObserved());
  // Feeding stops at the break: the curve keeps its samples from now on.
  station.WaitForLedRefresh();
  const double samples = program.graphic.GraphSampleCount;
  station.WaitForLedRefresh();
  EXPECT_EQ(program.graphic.GraphSampleCount, samples);
  EXPECT_GT(samples, 50);

  // The read-outs show the indicator's registers.
  station.WaitForLedRefresh();
  EXPECT_EQ(page.labHoldVal->text(), FormatDec(indicator.HoldCounts() / 10.0, 1));
  EXPECT_NEAR(Val(page.labHoldVal->text()), 100.0, 1.0);
  EXPECT_TRUE(station.WaitFor(
      [&] { return page.LabDispData->text() == FormatDec(indicator.LiveCounts() / 10.0, 1); }));
  EXPECT_EQ(page.labEncoder->text(), QString::number(indicator.Encoder()));

  // The gap froze at the last encoder count seen below the pre-load; the
  // distance is the step times the counts after it, at the newest sample.
  const double gap = Val(page.labGap->text());
  EXPECT_GT(gap, 0);
  EXPECT_LT(gap, indicator.Encoder());
  EXPECT_EQ(program.global.GapValue, gap);
  const double testDistance = Val(page.labTestDistance->text());
  EXPECT_NEAR(Val(page.labDistance->text()), 0.0138888 * (testDistance - gap), 1e-9);
  EXPECT_NEAR(testDistance, indicator.Encoder(), 300 * 0.2);  // within the last tenth-tick refresh

  // The curve's highest point is the break force.
  EXPECT_NEAR(Val(page.GraphMax->text()), 100.0, 1.0);

  form.testRun->cmdStop_Click();
  ASSERT_TRUE(station.WaitFor([&] { return form.leds.IsOff(page.HOLDRUN); }));
  EXPECT_FALSE(indicator.BreakWatch());
}

}  // namespace
}  // namespace vt
