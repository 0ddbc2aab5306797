#include <gtest/gtest.h>

#include <QDir>

#include "SimulatedStation.h"
#include "settings/Formats.h"
#include "settings/NumberText.h"

namespace vt {
namespace {

// What the window shows of a test: the fields and read-outs a record keeps.
struct ShownTest {
  QStringList texts;
  int graphUnit = -1;
  int machineType = -1;
  std::vector<double> samples;  // index 0 to the newest sample
  QString graphMax;
  QString speed;

  static ShownTest Of(MainForm& form) {
    const TestPage& p = *form.testPage;
    ShownTest shown;
    for (const QLineEdit* box : {p.txtHumidity, p.txtTemperature, p.txtProductName, p.txtCustomerName, p.txtLocation,
                                 p.txtDimensionW, p.txtDimensionH, p.txtDimensionL, p.txtStepVal}) {
      shown.texts << box->text();
    }
    for (const QLabel* label : {p.labTestStart, p.labTestStop, p.labDistance, p.labResultTimePassSeconds, p.labHoldVal, p.labTestDistance, p.labEncoder, p.labGap}) {
      shown.texts << label->text();
    }
    for (const QLabel* label : p.LabTimeLog) shown.texts << label->text();
    shown.graphUnit = p.graphUnit->currentIndex();
    shown.machineType = form.settingsPage->machinePanel->SelMachineType->currentIndex();
    const Graphic& graphic = form.program.graphic;
    shown.samples.assign(graphic.GraphSamples.begin(),
                         graphic.GraphSamples.begin() + static_cast<int>(graphic.GraphSampleCount) + 1);
    shown.graphMax = p.GraphMax->text();
    shown.speed = p.labDisplacementSpeed->text();
    return shown;
  }
};

TEST(RecordRoundTrip, ATestRunAgainstTheIndicatorSavedAndOpenedAgainShowsTheSameTest) {
  test::SimulatedStation station;
  station.indicator().SetBreakForce(80.0);
  station.indicator().SetTimeToBreak(1500);
  MainForm& form = *station.form;
  TestPage& page = *form.testPage;
  page.txtProductName->setText(QStringLiteral("Çelik halat"));
  page.txtCustomerName->setText(QStringLiteral("Işık A.Ş."));
  page.txtHumidity->setText(QStringLiteral("45"));
  page.txtDimensionH->setText(QStringLiteral("12.5"));
  page.graphUnit->setCurrentIndex(1);
  page.graphUnit_Click();
  form.settingsPage->machinePanel->txtPreLoading->setText(QStringLiteral("3"));
  ASSERT_TRUE(station.WaitForLink());

  form.testRun->cmdStart_Click();
  ASSERT_TRUE(station.WaitFor([&] { return form.leds.IsOn(page.holdOK); }, 10000));
  station.WaitForLedRefresh();
  form.testRun->cmdStop_Click();
  const ShownTest before = ShownTest::Of(form);
  ASSERT_GT(before.samples.size(), 20u);

  form.recordFiles->cmdSaveTestOnly_Click();
  const QStringList records = QDir(station.folder.File(QStringLiteral("Tests"))).entryList(QDir::Files);
  ASSERT_EQ(records.size(), 1);
  EXPECT_TRUE(records[0].endsWith(QStringLiteral("_Çelik halat.mem")));
  const QStringList lines = station.folder.ReadLines(QStringLiteral("Tests/") + records[0]);
  EXPECT_EQ(lines.value(32), QStringLiteral("The Records"));
  // The count line holds the newest index less one, and the samples up to it follow.
  EXPECT_EQ(lines.size(), 35 + static_cast<int>(before.samples.size()) - 2);
  EXPECT_EQ(lines.value(34), QStringLiteral("-50 "));

  // A new start of the program in the same folder; the indicator reports the
  // decimals again, but no test runs.
  station.form->close();
  station.form.reset();
  ScriptedDialogs dialogs;
  SystemClock clock;
  MainForm reopened(station.folder.Path(), dialogs, clock, MainForm::Options{station.sim.TcpPort(), true});
  ASSERT_TRUE(test::SimulatedStation::WaitFor([&] { return reopened.program.comm.LinkOK; }));
  dialogs.files.push_back(station.folder.File(QStringLiteral("Tests/") + records[0]));
  reopened.recordFiles->BrowseLogPrint_Click();
  EXPECT_TRUE(reopened.program.global.RecordLoaded);

  const ShownTest after = ShownTest::Of(reopened);
  EXPECT_EQ(after.texts, before.texts);
  EXPECT_EQ(after.graphUnit, before.graphUnit);
  EXPECT_EQ(after.machineType, before.machineType);
  // The record keeps the samples up to the one before the newest; opening it
  // ends the curve on the last one kept.
  EXPECT_EQ(after.samples, std::vector<double>(before.samples.begin(), before.samples.end() - 1));
  EXPECT_EQ(after.graphMax, before.graphMax);
  // The speed is worked out again from the stored encoder count and time.
  const TestPage& shown = *reopened.testPage;
  EXPECT_EQ(after.speed, FormatNumber(Val(shown.labEncoder->text()) * 0.0138888 /
                                          Val(shown.labResultTimePassSeconds->text()) * 60,
                                      QStringLiteral("#0.000")));
}

}  // namespace
}  // namespace vt
