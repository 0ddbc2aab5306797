#pragma once

#include <QLineEdit>
#include <QObject>
#include <array>
#include <vector>

#include "platform/Printer.h"
#include "reports/RecordFiles.h"
#include "reports/ReportLayout.h"
#include "reports/ReportPage.h"
#include "station/CurveDrawing.h"
#include "station/Program.h"
#include "station/TestPage.h"

namespace vt {

// The two printed reports, one A4 page each, taken from what the window
// shows at print time: the test report "Test Raporu" (with the curve; it
// also saves the test) and the results report "Test Sonuçları" (with the
// three break values and their average).
class PrintedReports : public QObject {
  Q_OBJECT
 public:
  // `shownCurve` is the curve the test tab's graph shows; `companyHdr` are
  // the two report header lines of the settings tab; `printers` makes the
  // printer of each report.
  PrintedReports(Program& program, TestPage& testPage, const ShownCurve& shownCurve, ReportPage& reportPage,
                 RecordFiles& records, std::array<QLineEdit*, 2> companyHdr, PrinterFactory printers);

  void cmdPrint_Click();
  void cmdPrintReport_Click();

  // The rows below the print date, as the window shows them now.
  std::vector<ReportRow> TestReportRows() const;
  std::vector<ReportRow> ResultsReportRows() const;

 private:
  std::vector<ReportRow> InformationRows() const;
  ReportHeader Header(const QString& title) const;
  void DrawCurveBlock(Printer& printer) const;

  Program& program_;
  TestPage& test_;
  const ShownCurve& shownCurve_;
  ReportPage& report_;
  RecordFiles& records_;
  std::array<QLineEdit*, 2> companyHdr_;
  PrinterFactory printers_;
};

}  // namespace vt
