#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFocusEvent>
#include <QTimer>

#include "app/MainForm.h"
#include "platform/ScriptedDialogs.h"
#include "settings/ConfigFile.h"
#include "support/FileSizeLimit.h"
#include "support/NoRegularFiles.h"
#include "support/ProgramFolder.h"
#include "support/PtyPair.h"
#include "support/QStringPrinter.h"

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

// Whether `control` lies whole inside the window and inside everything that
// holds it.
bool LiesWhole(const QWidget& window, const QWidget& control) {
  const QRect rect(control.mapTo(&window, QPoint(0, 0)), control.size());
  for (const QWidget* holder = control.parentWidget(); holder != window.parentWidget();
       holder = holder->parentWidget()) {
    if (!QRect(holder->mapTo(&window, QPoint(0, 0)), holder->size()).contains(rect)) return false;
  }
  return true;
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
  EXPECT_EQ(saved[cfg::DevAddress - 1], QStringLiteral("1"));  // the first station until one is chosen
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

// Line 3 takes a station number from 1 to 255; any other line leaves the
// address as it was, so no frame goes to the broadcast address or beyond a byte.
TEST_F(MainFormStartup, AnAddressLineThatNamesNoStationLeavesTheAddressAsItWas) {
  for (const auto& [line, kept, station] :
       {std::tuple{" 7 ", " 7 ", 7}, std::tuple{"255", "255", 255}, std::tuple{"254.6", "254.6", 255},
        std::tuple{"0", "1", 1}, std::tuple{"256", "1", 1}, std::tuple{"-1", "1", 1}, std::tuple{"1e400", "1", 1},
        std::tuple{"0.4", "1", 1}, std::tuple{"&H10", "1", 1}, std::tuple{"abc", "1", 1}, std::tuple{"", "1", 1}}) {
    SCOPED_TRACE(line);
    WriteConfig(ConfigLines({{cfg::DevAddress, QString::fromLatin1(line)}}));
    auto form = Start();
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(form->program.comm.DevAddress, QString::fromLatin1(kept));
    EXPECT_EQ(form->program.comm.DevAddressNumber(), station);
    form->close();
    EXPECT_EQ(SavedConfig().value(cfg::DevAddress - 1), QString::fromLatin1(kept));
  }
}

TEST_F(MainFormStartup, ShortFileAppliesTheLinesPresentOnly) {
  test::PtyPair com1;
  ASSERT_TRUE(folder.LinkPort(1, com1.SlavePath()));
  WriteConfig({" 0 ", " 1 ", "7"});  // the indicator on COM1
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
    for (const char* name : {"CommDefAll", "PDDay", "PDMon", "PDYear", "SetPar(0)"}) {
      const auto controls = form->settingsPage->findChildren<QWidget*>(QString::fromLatin1(name));
      ASSERT_EQ(controls.size(), 1) << name;
      EXPECT_EQ(controls[0]->isEnabled(), enabled) << name << " for " << line.toStdString();
    }
  }
}

// Every line of the file by its position, from settings that all differ.
TEST_F(MainFormStartup, EachSettingIsSavedOnItsOwnLine) {
  auto form = Start();
  Program& p = form->program;
  TestPage& test = *form->testPage;
  MachinePanel& machine = *form->settingsPage->machinePanel;
  p.global.ServiceCode = 12345;
  p.comm.IndPort = 5;
  p.comm.DevAddress = "17";
  p.comm.RTUMode = 1;
  p.comm.PortSettings = "19200,o,8,2";
  p.global.DataPathDrive = "/media/usb [DATA]";
  p.global.DataPath = "/media/usb/tests";
  p.global.GraphSetting = "kept";
  p.graphic.GraphAutoRange = 0;
  p.graphic.GraphShowGrid = -1;
  test.graphUnit->setCurrentIndex(2);
  test.txtStepVal->setText("0.5");
  p.global.LogFile = "/var/log/press.log";
  p.global.LogEnabled = "1";
  machine.SelMachineType->setCurrentIndex(0);
  const QStringList boxTexts = {"21", "11", "151", "Lab 3", "ACME", "Rope", "23,5", "45", "50"};
  const std::array<QLineEdit*, 9> boxes = {test.txtDimensionW,   test.txtDimensionH, test.txtDimensionL,
                                           test.txtLocation,     test.txtCustomerName, test.txtProductName,
                                           test.txtTemperature,  test.txtHumidity,   machine.txtPreLoading};
  for (size_t i = 0; i < boxes.size(); ++i) boxes[i]->setText(boxTexts[int(i)]);
  for (int i = 0; i < 3; ++i) form->reportPage->txtReportTensileVal[i]->setText(QString::number(1150 + i));
  form->settingsPage->txtCompanyHdr[0]->setText("ACME Test");
  form->settingsPage->txtCompanyHdr[1]->setText("Line 2");
  p.comm.PLCPort = 3;
  test.txtPLCSpeed->setText("12.5");
  p.comm.IPAddr = {10, 20, 30, 40, 50};
  form->SaveConfig();

  EXPECT_EQ(SavedConfig(), QStringList({" 12345 ",     " 5 ",       "17",          " 1 ",
                                        "19200,o,8,2", "/media/usb [DATA]", "/media/usb/tests", "kept",
                                        " 0 ",         " 1 ",       " 2 ",         "0.5",
                                        "/var/log/press.log", "1",  " 0 ",         "21",
                                        "11",          "151",       "Lab 3",       "ACME",
                                        "Rope",        "23,5",      "45",          "50",
                                        "1150",        "1151",      "1152",        "ACME Test",
                                        "Line 2",      "9600,e,7,1", " 3 ",        "12.5",
                                        " 10 ",        " 20 ",      " 30 ",        " 40 "}));
}

// A file with a different value on every line: each setting and control
// shows the value of its own line.
TEST_F(MainFormStartup, EachLineIsReadIntoItsOwnSetting) {
  test::PtyPair plc;
  ASSERT_TRUE(folder.LinkPort(3, plc.SlavePath()));
  WriteConfig({" 12345 ",     " 5 ",       "17",          " 1 ",
               "19200,o,8,2", "/media/usb [DATA]", "/media/usb/tests", "kept",
               " 0 ",         "",          " 2 ",         "0.5",
               "/var/log/press.log", "1",  " 0 ",         "21",
               "11",          "151",       "Lab 3",       "ACME",
               "Rope",        "23,5",      "45",          "50",
               "1150",        "1151",      "1152",        "ACME Test",
               "Line 2",      "19200,n,8,1", " 3 ",       "12.25",
               " 10 ",        " 20 ",      " 30 ",        " 40 "});
  auto form = Start();
  EXPECT_TRUE(dialogs.boxes.empty());
  const Program& p = form->program;
  const TestPage& test = *form->testPage;
  const MachinePanel& machine = *form->settingsPage->machinePanel;
  EXPECT_EQ(p.global.ServiceCode, 12345);
  EXPECT_EQ(p.comm.IndPort, 5);
  EXPECT_FALSE(test.IndTCPConOK->isHidden());
  EXPECT_EQ(p.comm.DevAddress, "17");
  EXPECT_EQ(p.comm.RTUMode, 1);
  EXPECT_EQ(p.comm.PortSettings, "19200,o,8,2");
  EXPECT_EQ(p.global.DataPathDrive, "/media/usb [DATA]");
  EXPECT_EQ(p.global.DataPath, "/media/usb/tests");
  EXPECT_EQ(p.global.GraphSetting, "kept");
  EXPECT_EQ(test.graphUnit->currentText(), "kNewton");
  EXPECT_EQ(test.labTensileUnit->text(), "kNewton");
  EXPECT_EQ(p.global.LogFile, "/var/log/press.log");
  EXPECT_EQ(p.global.LogEnabled, "1");
  EXPECT_EQ(machine.SelMachineType->currentIndex(), 0);
  EXPECT_EQ(test.labHoldValT->text(), "Kopma Noktası");
  EXPECT_EQ(test.txtDimensionW->text(), "21");
  EXPECT_EQ(test.txtDimensionH->text(), "11");
  EXPECT_EQ(test.txtDimensionL->text(), "151");
  EXPECT_EQ(test.txtLocation->text(), "Lab 3");
  EXPECT_EQ(test.txtCustomerName->text(), "ACME");
  EXPECT_EQ(test.txtProductName->text(), "Rope");
  EXPECT_EQ(test.txtTemperature->text(), "23,5");
  EXPECT_EQ(test.txtHumidity->text(), "45");
  EXPECT_EQ(machine.txtPreLoading->text(), "50");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(form->reportPage->txtReportTensileVal[i]->text(), QString::number(1150 + i));
  EXPECT_EQ(form->settingsPage->txtCompanyHdr[0]->text(), "ACME Test");
  EXPECT_EQ(form->settingsPage->txtCompanyHdr[1]->text(), "Line 2");
  EXPECT_EQ(p.comm.PLCSettings, "9600,e,7,1");  // line 30 is dropped
  EXPECT_EQ(p.comm.PLCPort, 3);
  EXPECT_EQ(machine.SelPLCComPort->currentText(), "COM3");
  EXPECT_TRUE(form->plc->PLCComm.IsOpen());
  EXPECT_EQ(test.txtPLCSpeed->text(), "12.3");
  EXPECT_EQ(p.comm.IPAddr, (std::array<std::uint8_t, 5>{10, 20, 30, 40, 0}));
  // Start-up overrides the graph flags and the step whatever lines 9, 10 and 12 say.
  EXPECT_EQ(p.graphic.GraphAutoRange, 1);
  EXPECT_EQ(p.graphic.GraphShowGrid, 1);
  EXPECT_EQ(test.txtStepVal->text(), "0.0138888");
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
  // The step shows in its caption only; its box stays hidden.
  EXPECT_TRUE(page.txtStepVal->isHidden());
  EXPECT_FALSE(page.labHatve->isHidden());
  EXPECT_EQ(form->program.graphic.GraphSampleCount, 2);
  EXPECT_EQ(form->program.graphic.TestStart, clock.Now());
  EXPECT_EQ(form->program.graphic.TestStartTick, clock.TickMs());
  EXPECT_EQ(form->SSTab1->currentIndex(), 0);
  EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("VorTEST, Tensile Testing Software v")));
  EXPECT_TRUE(form->windowTitle().endsWith(QStringLiteral(VORTEST_TEST_VERSION)));
  EXPECT_FALSE(form->program.comm.LinkOK);
}

// The close, however often asked for, writes once and still shows that it
// could not.
TEST_F(MainFormStartup, FailedSaveKeepsTheOldFileAndSaysSo) {
  const QStringList written = ConfigLines();
  WriteConfig(written);
  auto form = Start();
  form->testPage->txtCustomerName->setText(QString(8000, QLatin1Char('x')));
  {
    test::FileSizeLimit limit(1024);
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(form->close());
  }
  EXPECT_EQ(SavedConfig(), written);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes.back().text, QStringLiteral("Cannot update configuration file"));
  EXPECT_EQ(dialogs.boxes.back().title, QStringLiteral("File System Error"));
}

// Once the window has closed nothing shows: a box answers the button that
// declines, a window does not open. Once it is gone, boxes show without it.
TEST_F(MainFormStartup, NothingShowsAfterTheCloseAndBoxesShowWithoutTheWindowOnceItIsGone) {
  WriteConfig(ConfigLines());
  auto form = Start();
  EXPECT_TRUE(form->close());
  EXPECT_EQ(SavedConfig(), ConfigLines());
  EXPECT_EQ(dialogs.MsgBox(QStringLiteral("late"), MsgStyle::YesNo), MsgAnswer::No);
  EXPECT_EQ(dialogs.MsgBox(QStringLiteral("late"), MsgStyle::RetryCancel), MsgAnswer::Cancel);
  QDialog window;
  bool shown = false;
  QTimer::singleShot(0, &window, [&] {
    shown = true;
    window.reject();
  });
  dialogs.ShowModal(window);
  EXPECT_FALSE(shown);
  EXPECT_TRUE(dialogs.boxes.empty());

  form.reset();
  dialogs.answers = {MsgAnswer::Yes};
  EXPECT_EQ(dialogs.MsgBox(QStringLiteral("later"), MsgStyle::YesNo), MsgAnswer::Yes);
  EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("later")});
}

TEST(MainFormLedPictures, PicturesThatCannotBeReadAreReplacedByTwoDistinctBuiltInOnes) {
  test::ProgramFolder empty(false);
  ScriptedDialogs dialogs;
  FakeClock clock;
  MainForm form(empty.Path(), dialogs, clock, MainForm::Options{0, false});
  EXPECT_FALSE(form.LedOnPic.isNull());
  EXPECT_FALSE(form.LedOffPic.isNull());
  EXPECT_NE(form.LedOnPic.toImage(), form.LedOffPic.toImage());

  // The folder's own pictures show; a FIFO in place of a picture, the logo
  // too, is not read.
  test::ProgramFolder pictures;
  pictures.WriteLines(QStringLiteral("kelbrin.cfg"), ConfigLines());
  const MainForm pictured(pictures.Path(), dialogs, clock, MainForm::Options{0, false});
  EXPECT_NE(pictured.LedOnPic.toImage(), form.LedOnPic.toImage());
  const QString fifo = test::MakeNoRegularFiles(pictures.Path()).value(0);
  for (const char* name : {"rledon.gif", "rledoff.gif", "logo.jpg"}) {
    ASSERT_TRUE(QFile::remove(pictures.File(name)) && QFile::link(fifo, pictures.File(name)));
  }
  const MainForm special(pictures.Path(), dialogs, clock, MainForm::Options{0, false});
  EXPECT_EQ(special.LedOnPic.toImage(), form.LedOnPic.toImage());
  EXPECT_EQ(special.LedOffPic.toImage(), form.LedOffPic.toImage());
  EXPECT_TRUE(special.reportPage->picIdeal->pixmap().isNull());
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

// A 1024 x 768 panel less a title bar and a task bar: with the PLC's
// controls, its port's longest state and a wide reading on show, the window
// asks for no more, and every control of each tab lies whole in it.
TEST_F(MainFormStartup, WithThePlcShownEveryControlOfEachTabLiesWholeOnA1024By768Screen) {
  test::PtyPair plc;
  ASSERT_TRUE(folder.LinkPort(3, plc.SlavePath()));
  WriteConfig(ConfigLines({{cfg::PLCPort, " 3 "}}));
  auto form = Start();
  form->settingsPage->machinePanel->labPLCComm->setText(QStringLiteral("Haberleşme Portu Hatalı"));
  form->testPage->LabDispData->setText(QStringLiteral("-99999.9"));
  form->ShowOnScreen();
  EXPECT_TRUE(form->isMaximized()) << "the test platform's 800 x 600 screen is smaller than the designed window";
  form->showNormal();
  form->resize(1024, 700);
  QApplication::processEvents();
  EXPECT_LE(form->minimumSize().width(), 1024);
  EXPECT_LE(form->minimumSize().height(), 700);
  ASSERT_EQ(form->size(), QSize(1024, 700));
  dialogs.inputs = {QStringLiteral("8061")};  // the settings tab's password
  QTabWidget& panels = *form->settingsPage->parameterTabs;
  for (int tab = 0; tab < 3; ++tab) {
    form->SSTab1->setCurrentIndex(tab);
    for (int panel = 0; panel < (tab == 1 ? panels.count() : 1); ++panel) {
      panels.setCurrentIndex(panel);
      QApplication::processEvents();
      ASSERT_EQ(form->SSTab1->currentIndex(), tab);
      for (const QWidget* control : form->SSTab1->currentWidget()->findChildren<QWidget*>()) {
        EXPECT_TRUE(!control->isVisible() || LiesWhole(*form, *control)) << control->objectName().toStdString();
      }
    }
  }
}

}  // namespace
}  // namespace vt
