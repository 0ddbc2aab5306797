// A line break typed or pasted into a text box never shifts the lines of the
// test record or of the configuration file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QTest>
#include <functional>

#include "app/MainForm.h"
#include "link/CommOptions.h"
#include "platform/ScriptedDialogs.h"
#include "settings/ConfigFile.h"
#include "settings/FormLog.h"
#include "support/ModalWindows.h"
#include "support/ProgramFolder.h"
#include "support/QStringPrinter.h"

namespace vt {
namespace {

// A configuration with a different text on every line; offline, so that no
// port is opened.
const QStringList kConfig = {
    " 0 ",        " 0 ",    "1",        " 0 ",       "9600,e,7,1", "/",           "/home",     "",    " 1 ",
    " 1 ",        " 0 ",    "0.0138888", "/tmp/press.log", "1",    " 0 ",         "20",        "12.5", "100",
    "Lab 3",      "ACME",   "Rope",     "21",        "45",         "50",          "1150",      "1000", "1225",
    "ACME Test",  "Line 2", "9600,e,7,1", " 0 ",     "100.0",      " 127 ",       " 0 ",       " 0 ", " 1 "};

// The text copied (a spreadsheet cell brings its line break along) and
// pasted over the box's content with Ctrl+V.
void Paste(QLineEdit* box, const QString& text) {
  QGuiApplication::clipboard()->setText(text);
  box->selectAll();
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

// An options window that refused its OK fails the test instead of waiting
// for ever.
void CloseIfStillShown(QDialog& window) {
  if (!window.isVisible()) return;
  ADD_FAILURE() << window.objectName().toStdString() << " stayed open";
  window.reject();
}

// A text box whose content is written as one line of kelbrin.cfg, of the
// test record, or of both (line 0: not in that file).
struct LineFileBox {
  const char* name;
  int configLine;
  int recordLine;
  // The operator puts the text into the box and, for a box of an options
  // window, stores it with that window's OK button.
  std::function<void(MainForm&, const QString&)> enter;
  // What the program holds from that box.
  std::function<QString(const MainForm&)> held;
  // The part before and after the line break: the address box takes only a
  // number, blanks around it allowed.
  QString before = QStringLiteral("a");
  QString after = QStringLiteral("b");
};

LineFileBox MainWindowBox(const char* name, int configLine, int recordLine, QLineEdit* (*box)(const MainForm&)) {
  return {name, configLine, recordLine, [box](MainForm& form, const QString& text) { Paste(box(form), text); },
          [box](const MainForm& form) { return box(form)->text(); }};
}

std::vector<LineFileBox> LineFileBoxes() {
  using F = const MainForm&;
  std::vector<LineFileBox> boxes = {
      MainWindowBox("txtHumidity", cfg::Humidity, 1, [](F f) { return f.testPage->txtHumidity; }),
      MainWindowBox("txtTemperature", cfg::Temperature, 2, [](F f) { return f.testPage->txtTemperature; }),
      MainWindowBox("txtProductName", cfg::ProductName, 3, [](F f) { return f.testPage->txtProductName; }),
      MainWindowBox("txtCustomerName", cfg::CustomerName, 4, [](F f) { return f.testPage->txtCustomerName; }),
      MainWindowBox("txtLocation", cfg::Location, 5, [](F f) { return f.testPage->txtLocation; }),
      MainWindowBox("txtDimensionW", cfg::DimensionW, 6, [](F f) { return f.testPage->txtDimensionW; }),
      MainWindowBox("txtDimensionH", cfg::DimensionH, 7, [](F f) { return f.testPage->txtDimensionH; }),
      MainWindowBox("txtDimensionL", cfg::DimensionL, 8, [](F f) { return f.testPage->txtDimensionL; }),
      MainWindowBox("txtStepVal", cfg::StepVal, 17, [](F f) { return f.testPage->txtStepVal; }),
      MainWindowBox("txtPreLoading", cfg::PreLoading, 0,
                    [](F f) { return f.settingsPage->machinePanel->txtPreLoading; }),
      MainWindowBox("txtReportTensileVal(0)", cfg::ReportTensileVal0, 25,
                    [](F f) { return f.reportPage->txtReportTensileVal[0]; }),
      MainWindowBox("txtReportTensileVal(1)", cfg::ReportTensileVal1, 26,
                    [](F f) { return f.reportPage->txtReportTensileVal[1]; }),
      MainWindowBox("txtReportTensileVal(2)", cfg::ReportTensileVal2, 27,
                    [](F f) { return f.reportPage->txtReportTensileVal[2]; }),
      MainWindowBox("txtCompanyHdr(0)", cfg::CompanyHdr0, 28, [](F f) { return f.settingsPage->txtCompanyHdr[0]; }),
      MainWindowBox("txtCompanyHdr(1)", cfg::CompanyHdr1, 29, [](F f) { return f.settingsPage->txtCompanyHdr[1]; }),
      MainWindowBox("txtPLCSpeed", cfg::PLCSpeed, 32, [](F f) { return f.testPage->txtPLCSpeed; }),
  };
  boxes.push_back({"SelDatLogFile", cfg::LogFile, 0,
                   [](MainForm& form, const QString& text) {
                     test::WhenShown(QStringLiteral("FormLog"), [text](QDialog& window) {
                       auto& log = static_cast<FormLog&>(window);
                       log.ButtonDef->click();  // a threshold and delays, which this file does not keep
                       Paste(log.SelDatLogFile, text);
                       log.Ok->click();
                       CloseIfStillShown(window);
                     });
                     form.settingsPage->SelDatLog->click();
                   },
                   [](F f) { return f.program.global.LogFile; }});
  boxes.push_back({"SelMBid", cfg::DevAddress, 0,
                   [](MainForm& form, const QString& text) {
                     test::WhenShown(QStringLiteral("CommOptions"), [text](QDialog& window) {
                       auto& options = static_cast<CommOptions&>(window);
                       Paste(options.SelMBid, text);
                       options.cmdOK->click();
                       CloseIfStillShown(window);
                     });
                     form.settingsPage->linkPanel->cmdConn->click();
                   },
                   [](F f) { return QString::number(f.program.comm.DevAddressNumber()); },
                   QStringLiteral("7"), QString()});
  return boxes;
}

class LineBreaks : public ::testing::Test {
 protected:
  std::unique_ptr<MainForm> Start() {
    return std::make_unique<MainForm>(folder.Path(), dialogs, clock, MainForm::Options{0, false});
  }

  // The files written and the settings read back after the operator entered
  // `text` into `box` (nothing when `box` is null): the program starts on
  // kConfig, saves a record, exits, starts again and opens that record.
  struct Outcome {
    QStringList config;
    QStringList record;
    QStringList held;  // what the program holds from each box, trimmed
  };
  Outcome EnterSaveAndReopen(const LineFileBox* box, const QString& text) {
    folder.WriteLines(QStringLiteral("kelbrin.cfg"), kConfig);
    QDir(folder.File(QStringLiteral("Tests"))).removeRecursively();
    {
      auto form = Start();
      if (box) box->enter(*form, text);
      form->testPage->cmdSaveTestOnly->click();
      form->testPage->cmdExit->click();
    }
    Outcome outcome;
    outcome.config = folder.ReadLines(QStringLiteral("kelbrin.cfg"));
    const QStringList records = QDir(folder.File(QStringLiteral("Tests"))).entryList(QDir::Files);
    EXPECT_EQ(records.size(), 1);
    const QString record = QStringLiteral("Tests/") + records.value(0);
    outcome.record = folder.ReadLines(record);

    auto again = Start();
    dialogs.files.push_back(folder.File(record));
    again->reportPage->BrowseLogPrint->click();
    for (const LineFileBox& each : LineFileBoxes()) outcome.held << each.held(*again).trimmed();
    return outcome;
  }

  test::ProgramFolder folder;
  ScriptedDialogs dialogs;
  FakeClock clock;
};

// Every box, with each kind of line break, pasted, saved with KAYDET, the
// program left with ÇIKIŞ, started again and the record opened: the box's
// own line holds a space in the break's place, every other line of both
// files is as without the break (36 lines each), and every box reads back
// what it held, the pasted text with the space.
TEST_F(LineBreaks, EachLineFileBoxWritesALineBreakAsASpaceAndEveryOtherLineStaysInPlace) {
  const Outcome plain = EnterSaveAndReopen(nullptr, QString());
  ASSERT_EQ(plain.config.size(), cfg::kLineCount);
  ASSERT_EQ(plain.record.size(), 36);  // 33 fields, the count line and two samples
  ASSERT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join(QStringLiteral(" | ")).toStdString();

  const std::vector<LineFileBox> boxes = LineFileBoxes();
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const LineFileBox& box = boxes[i];
    for (const char* lineBreak : {"\r\n", "\n", "\r"}) {
      SCOPED_TRACE(std::string(box.name) + " with " + (lineBreak[0] == '\n' ? "LF" : lineBreak[1] ? "CR LF" : "CR"));
      const Outcome got = EnterSaveAndReopen(&box, box.before + QString::fromLatin1(lineBreak) + box.after);
      const QString written = box.before + QLatin1Char(' ') + box.after;
      Outcome expected = plain;
      if (box.configLine) expected.config[box.configLine - 1] = written;
      if (box.recordLine) expected.record[box.recordLine - 1] = written;
      expected.held[int(i)] = written.trimmed();
      EXPECT_EQ(got.config, expected.config);
      EXPECT_EQ(got.record, expected.record);
      EXPECT_EQ(got.held, expected.held);
    }
  }
  EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.texts().join(QStringLiteral(" | ")).toStdString();
}

}  // namespace
}  // namespace vt
