// The records and reports inside the whole main window: their buttons and
// the tab control are connected, and they work on the window's own pages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>

#include "app/MainForm.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "settings/ConfigFile.h"
#include "support/NoRegularFiles.h"
#include "support/PdfTools.h"
#include "support/ProgramFolder.h"
#include "support/QStringPrinter.h"

namespace vt {
namespace {

class ReportsWiringTest : public ::testing::Test {
 protected:
  ReportsWiringTest() {
    form = std::make_unique<MainForm>(folder.Path(), dialogs, clock, MainForm::Options{0, false});
    dialogs.boxes.clear();  // start-up's own boxes (no configuration file yet)
  }

  QStringList RecordFiles() const { return QDir(folder.File("Tests")).entryList(QDir::Files); }

  test::ProgramFolder folder;
  ScriptedDialogs dialogs;
  FakeClock clock;
  std::unique_ptr<MainForm> form;
};

TEST_F(ReportsWiringTest, SaveButtonWritesTheShownTestAndTheOpenButtonsReadItBack) {
  form->testPage->txtProductName->setText("Halat");
  form->testPage->txtHumidity->setText("45");
  form->settingsPage->txtCompanyHdr[0]->setText("Firma");
  form->testPage->cmdSaveTestOnly->click();
  ASSERT_EQ(RecordFiles(), QStringList({"20260305_090700_Halat.mem"}));
  const QStringList lines = folder.ReadLines("Tests/20260305_090700_Halat.mem");
  EXPECT_EQ(lines.value(27), "Firma");  // the settings tab's header line
  EXPECT_EQ(lines.value(33), " 1 ");    // start-up's sample count

  form->testPage->txtHumidity->setText("other");
  form->SSTab1->setCurrentIndex(2);
  dialogs.files.push_back(folder.File("Tests/20260305_090700_Halat.mem"));
  form->reportPage->BrowseLogPrint->click();
  EXPECT_EQ(form->testPage->txtHumidity->text(), "45");
  EXPECT_TRUE(form->program.global.RecordLoaded);
  EXPECT_EQ(form->SSTab1->currentIndex(), 0);
  EXPECT_TRUE(form->reportPage->labReportValues->text().startsWith("45rH\n\r"));

  // While a record is shown the save button writes nothing.
  clock.Advance(2000);
  form->testPage->cmdSaveTestOnly->click();
  EXPECT_EQ(RecordFiles().size(), 1);

  form->testPage->browseOlds->click();
  EXPECT_EQ(dialogs.fileDialogs.size(), 2u);
  EXPECT_TRUE(dialogs.boxes.empty());
}

// A FIFO chosen as a record is not waited on: the record's box shows at
// once, and the window, the record flag and the configuration stay as they
// were.
TEST_F(ReportsWiringTest, AFifoChosenAsARecordIsRefusedAtOnceAndChangesNothing) {
  const QString fifo = test::MakeNoRegularFiles(folder.Path()).value(0);
  ASSERT_FALSE(fifo.isEmpty());
  form->testPage->txtHumidity->setText("45");
  form->SaveConfig();
  const QStringList config = folder.ReadLines("kelbrin.cfg");
  ASSERT_EQ(config.value(cfg::Humidity - 1), "45");
  form->SSTab1->setCurrentIndex(2);
  dialogs.files.push_back(fifo);
  form->reportPage->BrowseLogPrint->click();
  EXPECT_EQ(dialogs.texts(), QStringList({"Cannot read test record file " + fifo}));
  EXPECT_EQ(form->testPage->txtHumidity->text(), "45");
  EXPECT_FALSE(form->program.global.RecordLoaded);
  EXPECT_EQ(form->SSTab1->currentIndex(), 2);
  form->testPage->cmdExit->click();
  EXPECT_EQ(folder.ReadLines("kelbrin.cfg"), config);
}

TEST_F(ReportsWiringTest, SettingsTabOfTheWindowIsBehindThePassword) {
  form->SSTab1->setCurrentIndex(1);  // cancelled prompt
  EXPECT_EQ(form->SSTab1->currentIndex(), 0);
  dialogs.inputs.push_back("8061");
  form->SSTab1->setCurrentIndex(1);
  EXPECT_EQ(form->SSTab1->currentIndex(), 1);
  EXPECT_EQ(dialogs.prompts.size(), 2u);
  form->SSTab1->setCurrentIndex(2);
  EXPECT_EQ(dialogs.prompts.size(), 2u);
  EXPECT_TRUE(form->reportPage->labReportConditions->text().startsWith("Nem\n\r"));
}

TEST_F(ReportsWiringTest, ReportButtonsAskBeforePrintingAndTheAverageUsesTheWindowsSettings) {
  dialogs.answers = {MsgAnswer::No, MsgAnswer::No};
  form->testPage->cmdPrint->click();
  form->reportPage->cmdPrintReport->click();
  EXPECT_EQ(dialogs.texts(), QStringList({"Yazdırmak İstiyor musunuz?", "Yazdırmak İstiyor musunuz?"}));
  EXPECT_TRUE(RecordFiles().isEmpty());

  form->program.global.DispDP = 1;
  form->reportPage->CalculateTensileMean->click();
  EXPECT_EQ(form->reportPage->labReportAverage->text(), "1125.0");
  form->reportPage->cmdClearResults->click();
  EXPECT_EQ(form->reportPage->labReportAverage->text(), "0.0");
  form->reportPage->cmdSelPicture->click();
  EXPECT_EQ(dialogs.fileDialogs.size(), 1u);
}

// A record's curve printed from the window at its designed size and at
// 1024 x 700, where the graph has another shape: the page holds the same
// curve, drawn as lines, not as a picture.
TEST_F(ReportsWiringTest, APrintedRecordsCurveIsTheSameDrawingAtEveryWindowSize) {
  if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this machine has a printer";
  form->program.comm.LinkOK = true;
  for (const char* force : {"0", "250", "900", "1200", "1150", "400"}) {
    form->testPage->LabDispData->setText(force);
    form->testCurve->UpdateTestGraph();
  }
  form->testPage->cmdSaveTestOnly->click();
  dialogs.files.push_back(folder.File("Tests/" + RecordFiles().value(0)));
  form->testPage->browseOlds->click();
  ASSERT_TRUE(form->program.global.RecordLoaded);

  form->show();
  std::vector<QSize> graphSizes;
  std::vector<QImage> curveBoxes;
  for (const QSize window : {form->sizeHint(), QSize(1024, 700)}) {
    form->resize(window);
    QApplication::processEvents();
    ASSERT_EQ(form->size(), window);
    graphSizes.push_back(form->testPage->Graph->size());
    dialogs.answers.push_back(MsgAnswer::Yes);
    form->testPage->cmdPrint->click();
    const QString pdf = dialogs.boxes.back().text.section(" saved as ", 1);
    ASSERT_TRUE(QFileInfo::exists(pdf)) << dialogs.boxes.back().text.toStdString();
    EXPECT_TRUE(test::PdfImageSizes(pdf).empty());
    constexpr double kDotsPerMm = 10;
    curveBoxes.push_back(test::PdfPageImage(pdf, kDotsPerMm).copy(20 * kDotsPerMm, 140 * kDotsPerMm,
                                                                   150 * kDotsPerMm, 75 * kDotsPerMm));
    clock.Advance(1000);
  }
  EXPECT_NE(graphSizes[0].width() * graphSizes[1].height(), graphSizes[1].width() * graphSizes[0].height());
  EXPECT_EQ(curveBoxes[0], curveBoxes[1]);
  const QImage& box = curveBoxes[0];
  EXPECT_EQ(box.pixelColor(box.width() / 2, 5), QColor(228, 228, 228)) << "the grid's top line";
  bool red = false;
  for (int x = 0; x < box.width() && !red; ++x) red = box.pixelColor(x, box.height() / 2) == QColor(Qt::red);
  EXPECT_TRUE(red) << "the curve crosses the middle";
}

}  // namespace
}  // namespace vt
