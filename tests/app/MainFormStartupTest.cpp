#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>

#include "app/MainForm.h"
#include "platform/ScriptedDialogs.h"
#include "settings/ConfigFile.h"
#include "support/FileSizeLimit.h"
#include "support/ProgramFolder.h"

namespace vt {
namespace {

// A configuration file as SaveConfig writes one, with some lines changed.
QStringList ConfigLines(const std::map<int, QString>& changes = {}) {
  QStringList lines = {
      " 0 ",         " 0 ",    "1",       " 1 ",     "9600,e,7,1", "/",          "/home",    "",   " 1 ",
      " 1 ",         " 0 ",    "0.0138888", "",      "0",          " 0 ",        "20",       "12.5", "100",
      "Lab 3",       "ACME",   "Rope",    "21",      "45",         "50",         "1150",     "1000", "1225",
      "ACME Test",   "Line 2", "9600,e,7,1", " 0 ",  "100.0",      " 192 ",      " 168 ",    " 1 ", " 5 "};
  for (const auto& [line, text] : changes) lines[line - 1] = text;
  return lines;
}

class MainFormStartup : public ::testing::Test {
 protected:
  std::unique_ptr<MainForm> Start() {
    return std::make_unique<MainForm>(folder.Path(), dialogs, clock, MainForm::Options{0, false});
  }
  void WriteConfig(const QStringList& lines) { folder.WriteLines(QStringLiteral("kelbrin.cfg"), lines); }
  QStringList SavedConfig() const { return folder.ReadLines(QStringLiteral("kelbrin.cfg")); }

  test::ProgramFolder folder;
  ScriptedDialogs dialogs;
  FakeClock clock;
};

TEST_F(MainFormStartup, WithoutAConfigurationFileAsksForManualOptionsAndWritesAFullFileOnExit) {
  auto form = Start();
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, QStringLiteral("Cannot read configuration file, please select options manually"));
  EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("File System Error"));
  EXPECT_EQ(dialogs.boxes[0].style, 0);
  EXPECT_EQ(form->program.comm.IndPort, 0);
  EXPECT_EQ(form->program.comm.PLCSettings, QStringLiteral("9600,e,7,1"));
  EXPECT_TRUE(form->reportPage->picIdeal->pixmap().isNull());  // the logo is read with the configuration only
  // The machine-type handler did not run: the designed, mixed captions stay.
  EXPECT_EQ(form->testPage->labDistanceT->text(), QStringLiteral("Kırlıma  Mesafesi [mm]"));
  EXPECT_EQ(form->testPage->labHoldValT->text(), QStringLiteral("Kırılma Noktası"));
  EXPECT_EQ(form->testPage->labKopmaIzlendi->text(), QStringLiteral("Kopma Gözlendi"));
  EXPECT_EQ(form->testPage->labKopmaIzlemeAktif->text(), QStringLiteral("Kopma İzleme Aktif"));
  EXPECT_EQ(form->reportPage->labTestAvgVals->text(), QStringLiteral("Kırılma Değerleri"));

  form->cmdExit_Click();
  const QStringList saved = SavedConfig();
  ASSERT_EQ(saved.size(), 36);
  EXPECT_EQ(saved[cfg::ServiceCode - 1], QString());  // never read
  EXPECT_EQ(saved[cfg::IndPort - 1], QStringLiteral(" 0 "));
  EXPECT_EQ(saved[cfg::GraphUnit - 1], QStringLiteral("-1 "));  // nothing selected
  EXPECT_EQ(saved[cfg::GraphAutoRange - 1], QStringLiteral(" 1 "));
  EXPECT_EQ(saved[cfg::StepVal - 1], QStringLiteral("0.0138888"));
  EXPECT_EQ(saved[cfg::PLCSettings - 1], QStringLiteral("9600,e,7,1"));
  EXPECT_EQ(saved[cfg::IPAddr3 - 1], QStringLiteral(" 0 "));
}

TEST_F(MainFormStartup, AFileItWroteReadsBackIntoTheSameSettingsAndSavesTheSameLines) {
  const QStringList written = ConfigLines({{cfg::GraphUnit, " 2 "}, {cfg::MachineType, " 1 "}});
  WriteConfig(written);
  {
    auto form = Start();
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(form->testPage->graphUnit->currentText(), QStringLiteral("kNewton"));
    EXPECT_EQ(form->testPage->labTensileUnit->text(), QStringLiteral("kNewton"));
    EXPECT_DOUBLE_EQ(form->program.graphic.GraphUnitFactor, 9.80665002864 / 1000);
    EXPECT_EQ(form->program.graphic.GraphUnitDP, 3);
    EXPECT_EQ(form->testPage->labHoldValT->text(), QStringLiteral("Kırılma Noktası"));
    EXPECT_EQ(form->reportPage->labTestAvgVals->text(), QStringLiteral("Kırılma Değerleri"));
    EXPECT_EQ(form->testPage->txtProductName->text(), QStringLiteral("Rope"));
    EXPECT_EQ(form->settingsPage->machinePanel->txtPreLoading->text(), QStringLiteral("50"));
    EXPECT_EQ(form->settingsPage->txtCompanyHdr[1]->text(), QStringLiteral("Line 2"));
    EXPECT_EQ(form->program.comm.DevAddress, QStringLiteral("1"));
    EXPECT_EQ(form->program.comm.RTUMode, 1);
    EXPECT_EQ(form->program.global.DataPath, QStringLiteral("/home"));
    EXPECT_EQ(form->program.comm.IPAddr[0], 192);
    EXPECT_EQ(form->program.comm.IPAddr[3], 5);
    EXPECT_FALSE(form->reportPage->picIdeal->pixmap().isNull());
    form->close();
  }
  EXPECT_EQ(SavedConfig(), written);
  {
    auto again = Start();
    again->close();
  }
  EXPECT_EQ(SavedConfig(), written);
}

TEST_F(MainFormStartup, ReadBackRulesOfSingleLines) {
  WriteConfig(ConfigLines({{cfg::IndPort, " 5 "},
                           {cfg::GraphAutoRange, ""},
                           {cfg::GraphShowGrid, " 0 "},
                           {cfg::GraphUnit, " 9 "},
                           {cfg::StepVal, "0.5"},
                           {cfg::MachineType, " 0 "},
                           {cfg::PLCSettings, "19200,n,8,1"},
                           {cfg::PLCSpeed, "100000"},
                           {cfg::IPAddr2, "300"},
                           {cfg::IPAddr3, ""}}));
  auto form = Start();
  EXPECT_FALSE(form->testPage->IndTCPConOK->isHidden());
  EXPECT_FALSE(form->testPage->labTCPCOn->isHidden());
  EXPECT_EQ(form->testPage->graphUnit->currentIndex(), -1);  // " 9 " is outside the list
  // Start-up overrides the step and both graph flags whatever the file says.
  EXPECT_EQ(form->testPage->txtStepVal->text(), QStringLiteral("0.0138888"));
  EXPECT_EQ(form->testPage->labHatve->text(), QStringLiteral("0.0138888mm"));
  EXPECT_EQ(form->program.graphic.GraphAutoRange, 1);
  EXPECT_EQ(form->program.graphic.GraphShowGrid, 1);
  EXPECT_EQ(form->testPage->labDistanceT->text(), QStringLiteral("Kopma  Mesafesi [mm]"));
  EXPECT_EQ(form->testPage->labKopmaIzlemeAktif->text(), QStringLiteral("Kopma İzleme Aktif"));
  EXPECT_EQ(form->program.comm.PLCSettings, QStringLiteral("9600,e,7,1"));
  EXPECT_EQ(form->testPage->txtPLCSpeed->text(), QStringLiteral("100000.0"));
  EXPECT_EQ(form->program.comm.IPAddr[2], 0);  // 300 left the octet as it was
  EXPECT_EQ(form->program.comm.IPAddr[3], 0);
}

TEST_F(MainFormStartup, ShortFileAppliesTheLinesPresentOnly) {
  WriteConfig({" 0 ", " 1 ", "7"});
  auto form = Start();
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_EQ(form->program.comm.DevAddress, QStringLiteral("7"));
  EXPECT_TRUE(form->testPage->IndTCPConOK->isHidden());
  EXPECT_EQ(form->testPage->txtProductName->text(), QString());
  EXPECT_EQ(form->reportPage->txtReportTensileVal[0]->text(), QStringLiteral("1150"));  // design text
  // The PLC port list still takes the port held (none), which hides the PLC controls.
  EXPECT_EQ(form->settingsPage->machinePanel->SelPLCComPort->currentIndex(), 0);
  EXPECT_TRUE(form->testPage->cmdPLCPrepare->isHidden());
  EXPECT_TRUE(form->testPage->txtPLCSpeed->isHidden());
}

TEST_F(MainFormStartup, ServiceCodeEnablesTheFactoryControls) {
  for (const auto& [line, enabled] : {std::pair{QStringLiteral(" 63158 "), true},
                                      std::pair{QStringLiteral(" 63159 "), false},
                                      std::pair{QString(), false}}) {
    WriteConfig(ConfigLines({{cfg::ServiceCode, line}}));
    auto form = Start();
    for (QWidget* control : form->settingsPage->FactoryControls()) {
      EXPECT_EQ(control->isEnabled(), enabled) << control->objectName().toStdString() << " for " << line.toStdString();
    }
  }
}

TEST_F(MainFormStartup, ClearedReadOutsCaptionAndClock) {
  WriteConfig(ConfigLines());
  auto form = Start();
  const TestPage& page = *form->testPage;
  EXPECT_EQ(page.labHoldVal->text(), QStringLiteral("0"));
  EXPECT_EQ(page.LabDispData->text(), QStringLiteral(" ---- "));
  EXPECT_EQ(page.labEncoder->text(), QStringLiteral(" ---- "));
  EXPECT_EQ(page.labDistance->text(), QStringLiteral(" ---- "));
  EXPECT_EQ(page.labGap->text(), QStringLiteral(" ----"));
  EXPECT_EQ(page.labDisplacementSpeed->text(), QStringLiteral(" ----"));
  EXPECT_EQ(page.labTestStart->text(), QStringLiteral("----"));
  EXPECT_EQ(form->program.graphic.GraphSampleCount, 2);
  EXPECT_EQ(form->program.graphic.TestStart, clock.Now());
  EXPECT_EQ(form->program.graphic.TestStartTick, clock.TickMs());
  EXPECT_EQ(form->SSTab1->currentIndex(), 0);
  EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("VorTEST, Tensile Testing Software v")));
  EXPECT_TRUE(form->windowTitle().endsWith(QStringLiteral(VORTEST_TEST_VERSION)));
  EXPECT_FALSE(form->program.comm.LinkOK);
}

TEST_F(MainFormStartup, FailedSaveKeepsTheOldFileAndSaysSo) {
  const QStringList written = ConfigLines();
  WriteConfig(written);
  auto form = Start();
  form->testPage->txtCustomerName->setText(QString(8000, QLatin1Char('x')));
  {
    test::FileSizeLimit limit(1024);
    form->SaveConfig();
  }
  EXPECT_EQ(SavedConfig(), written);
  ASSERT_FALSE(dialogs.boxes.empty());
  EXPECT_EQ(dialogs.boxes.back().text, QStringLiteral("Cannot update configuration file"));
  EXPECT_EQ(dialogs.boxes.back().title, QStringLiteral("File System Error"));
}

TEST(MainFormLedPictures, MissingPicturesAreReplacedByTwoDistinctBuiltInOnes) {
  test::ProgramFolder empty(false);
  ScriptedDialogs dialogs;
  FakeClock clock;
  MainForm form(empty.Path(), dialogs, clock, MainForm::Options{0, false});
  EXPECT_FALSE(form.LedOnPic.isNull());
  EXPECT_FALSE(form.LedOffPic.isNull());
  EXPECT_NE(form.LedOnPic.toImage(), form.LedOffPic.toImage());
}

TEST_F(MainFormStartup, TestInformationBoxesSelectTheirWholeTextOnFocus) {
  WriteConfig(ConfigLines());
  auto form = Start();
  QLineEdit* box = form->testPage->txtCustomerName;
  box->setCursorPosition(0);
  QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(box, &focusIn);
  QApplication::processEvents();
  EXPECT_EQ(box->selectedText(), QStringLiteral("ACME"));
}

}  // namespace
}  // namespace vt
