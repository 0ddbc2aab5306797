// The records and reports inside the whole main window: their buttons and
// the tab control are connected, and they work on the window's own pages.
#include <gtest/gtest.h>

#include <QDir>
#include <QPrinterInfo>

#include "app/MainForm.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
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

// The report prints the curve the window's graph shows.
TEST_F(ReportsWiringTest, TheTestReportPrintsTheWindowsCurve) {
  if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this machine has a printer";
  form->program.comm.LinkOK = true;
  for (const char* force : {"0", "1200", "400"}) {
    form->testPage->LabDispData->setText(force);
    form->testCurve->UpdateTestGraph();
  }
  dialogs.answers.push_back(MsgAnswer::Yes);
  form->testPage->cmdPrint->click();
  const QImage page = test::PdfPageImage(dialogs.boxes.back().text.section(" saved as ", 1), 10);
  bool red = false;  // along the middle of the curve's box
  for (int x = 200; x < 1700 && !red; ++x) red = page.pixelColor(x, 1775) == QColor(Qt::red);
  EXPECT_TRUE(red);
}

}  // namespace
}  // namespace vt
