#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>

#include "SimulatedStation.h"
#include "settings/ConfigFile.h"
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

// The folder that `scripts/run.sh --simulator` starts VorTEST in: with the
// pictures, logo and configuration that scripts/try-indicator.sh puts there
// and the simulator it serves as COM1, the program polls the indicator at
// once. VorTEST writes that configuration back unchanged, so it is in the
// program's own format, and a second start keeps the one it finds.
TEST(StationEndToEnd, TheTryOutFolderPollsTheSimulatedIndicator) {
  const QString scripts = QStringLiteral(VORTEST_SCRIPTS_DIR);
  test::ProgramFolder folder(false);
  const QString com1 = folder.File(QStringLiteral("COM1"));
  const auto serve = [&](QProcess& indicator) {
    indicator.start(QStringLiteral("bash"), {scripts + QStringLiteral("/try-indicator.sh"),
                                             QStringLiteral(VORTEST_PROGRAM_FOLDER), folder.Path()});
    return test::SimulatedStation::WaitFor(
        [&] { return QFileInfo(com1).symLinkTarget().startsWith(QStringLiteral("/dev/pts/")); });
  };
  const auto bytes = [](const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  {
    QProcess indicator;
    ASSERT_TRUE(serve(indicator)) << indicator.readAllStandardError().toStdString();
    ScriptedDialogs dialogs;
    test::StationClock clock;
    MainForm form(folder.Path(), dialogs, clock, MainForm::Options{});
    EXPECT_TRUE(test::SimulatedStation::WaitFor(
        [&] { return form.program.comm.LinkOK && !form.testPage->LabDispData->text().isEmpty(); }));
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_FALSE(form.reportPage->picIdeal->pixmap().isNull());
    form.close();
    EXPECT_EQ(bytes(folder.File(QStringLiteral("kelbrin.cfg"))), bytes(scripts + QStringLiteral("/try/kelbrin.cfg")));
    indicator.terminate();
    ASSERT_TRUE(indicator.waitForFinished());
    EXPECT_FALSE(QFileInfo(com1).isSymLink());
  }
  QStringList changed = folder.ReadLines(QStringLiteral("kelbrin.cfg"));
  changed[cfg::CustomerName - 1] = QStringLiteral("ACME");
  folder.WriteLines(QStringLiteral("kelbrin.cfg"), changed);
  QProcess again;
  ASSERT_TRUE(serve(again));
  EXPECT_EQ(folder.ReadLines(QStringLiteral("kelbrin.cfg")), changed);
  again.terminate();
  again.waitForFinished();
}

}  // namespace
}  // namespace vt
