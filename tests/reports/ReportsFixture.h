#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <memory>

#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "reports/PrintedReports.h"
#include "reports/RecordFiles.h"
#include "reports/ReportTab.h"
#include "station/TestCurve.h"
#include "support/ProgramFolder.h"
#include "support/QStringPrinter.h"

namespace vt::test {

// The pages of the main window that the reports work on, put together as
// the main window does, in the state start-up leaves them in, with scripted
// dialogs, a fixed clock and the printed pages written as PDF files.
class ReportsFixture : public ::testing::Test {
 protected:
  ReportsFixture() {
    tabs = std::make_unique<QTabWidget>();
    testPage = new TestPage(program);
    machinePanel = new MachinePanel;
    reportPage = new ReportPage;
    tabs->addTab(testPage, "Test");
    tabs->addTab(machinePanel, "Ayarlar");
    tabs->addTab(reportPage, "Rapor");
    for (auto& header : companyHdrBoxes) header = std::make_unique<QLineEdit>();
    companyHdr = {companyHdrBoxes[0].get(), companyHdrBoxes[1].get()};
    machinePanel->SetMachineTypeLabels({testPage->labDistanceT, testPage->labHoldValT, testPage->labKopmaIzlendi,
                                        testPage->labKopmaIzlemeAktif, reportPage->labTestAvgVals});

    testCurve = std::make_unique<TestCurve>(program, *testPage);
    reportTab = std::make_unique<ReportTab>(program, *testPage, *reportPage, *tabs);
    recordFiles = std::make_unique<RecordFiles>(program, *testPage, *reportPage, *machinePanel, companyHdr,
                                                *reportTab, [this] { ++curveUpdates; });
    printedReports = std::make_unique<PrintedReports>(
        program, *testPage, testCurve->Shown(), *reportPage, *recordFiles, companyHdr,
        [this](const QString& documentName) {
          printedDocuments << documentName;
          return std::make_unique<Printer>(PrintOutput::PdfFile(pdfPath), documentName, dialogs);
        });

    // Start-up state.
    testPage->graphUnit->setCurrentIndex(0);
    testPage->graphUnit_Click();
    machinePanel->SelMachineType->setCurrentIndex(0);
    machinePanel->SelMachineType_Click();
    testPage->txtStepVal->setText("0.0138888");
    program.comm.PLCSettings = "9600,e,7,1";
    program.graphic.GraphSampleCount = 2;
  }

  // The test information and the result read-outs of a finished test.
  void TypeTestInformation() {
    TestPage& t = *testPage;
    t.txtHumidity->setText("45");
    t.txtTemperature->setText("23");
    t.txtProductName->setText("Çelik halat");
    t.txtCustomerName->setText("Müşteri A.Ş.");
    t.txtLocation->setText("İzmir");
    t.txtDimensionW->setText("20");
    t.txtDimensionH->setText("10");
    t.txtDimensionL->setText("150");
    t.labTestStart->setText("05.03.2026 09:00:00");
    t.labTestStop->setText("05.03.2026 09:01:30");
    t.labDistance->setText("13.8888");
    t.labDisplacementSpeed->setText("91.666");
    t.labResultTimePassSeconds->setText("90.5");
  }

  QString TestsFolder() const { return folder.File("Tests"); }
  // The record files in the Tests folder.
  QStringList RecordFileNames() const { return QDir(TestsFolder()).entryList(QDir::Files); }

  ProgramFolder folder;
  ScriptedDialogs dialogs;
  FakeClock clock;  // 5 March 2026, 09:07:00
  Program program{folder.Path(), dialogs, clock};
  QString pdfPath = folder.File("report.pdf");

  std::unique_ptr<QTabWidget> tabs;
  TestPage* testPage;
  MachinePanel* machinePanel;
  ReportPage* reportPage;
  std::array<std::unique_ptr<QLineEdit>, 2> companyHdrBoxes;
  std::array<QLineEdit*, 2> companyHdr;

  int curveUpdates = 0;
  QStringList printedDocuments;
  std::unique_ptr<TestCurve> testCurve;
  std::unique_ptr<ReportTab> reportTab;
  std::unique_ptr<RecordFiles> recordFiles;
  std::unique_ptr<PrintedReports> printedReports;
};

}  // namespace vt::test
