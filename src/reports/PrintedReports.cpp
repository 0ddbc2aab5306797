#include "reports/PrintedReports.h"

#include "platform/Presses.h"
#include "settings/NumberText.h"

namespace vt {
namespace {

const QString kTestReportTitle = QStringLiteral("Test Raporu");
const QString kResultsReportTitle = QStringLiteral("Test Sonuçları");
constexpr double kTestReportTop = 20;
constexpr double kResultsReportTop = 10;

// The curve's box on the page, and its labels.
const QRectF kGraphBox(20, 140, 150, 75);
constexpr int kTimeLabels = 5;
constexpr int kForceSteps = 5;
constexpr int kTimeLabelLength = 10;

ReportRow Row(const QLabel* label, const QString& value) {
  return {label->text(), QStringLiteral(": ") + value};
}

}  // namespace

PrintedReports::PrintedReports(Program& program, TestPage& testPage, const ShownCurve& shownCurve,
                               ReportPage& reportPage, RecordFiles& records, std::array<QLineEdit*, 2> companyHdr,
                               PrinterFactory printers)
    : program_(program),
      test_(testPage),
      shownCurve_(shownCurve),
      report_(reportPage),
      records_(records),
      companyHdr_(companyHdr),
      printers_(std::move(printers)) {
  OnPress(program_.commandQueue, test_.cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
  OnPress(program_.commandQueue, report_.cmdPrintReport, &QPushButton::clicked, this,
          [this] { cmdPrintReport_Click(); });
}

std::vector<ReportRow> PrintedReports::InformationRows() const {
  const TestPage& t = test_;
  const QString blank = QStringLiteral(" ");
  const QString mm = QStringLiteral(" mm");
  return {
      Row(t.LabHumidity, t.txtHumidity->text() + blank + t.labHumidityRH->text()),
      Row(t.labTemperature, t.txtTemperature->text() + blank + t.labTemperatureC->text()),
      Row(t.labProductName, t.txtProductName->text() + blank),
      Row(t.labCustomerName, t.txtCustomerName->text() + blank),
      Row(t.labLokeysin, t.txtLocation->text() + blank),
      Row(t.labDimenW, t.txtDimensionW->text() + mm),
      Row(t.labDimenH, t.txtDimensionH->text() + mm),
      Row(t.labDimenL, t.txtDimensionL->text() + mm),
      Row(t.labMeasUnit, t.graphUnit->currentText()),
  };
}

std::vector<ReportRow> PrintedReports::TestReportRows() const {
  const TestPage& t = test_;
  std::vector<ReportRow> rows = InformationRows();
  rows.push_back(Row(t.labTestStartT, t.labTestStart->text()));
  rows.push_back(Row(t.labTestStopT, t.labTestStop->text()));
  rows.push_back(Row(t.labDistanceT, t.labDistance->text()));
  rows.push_back(Row(t.labDisplacementSpeedT, t.labDisplacementSpeed->text()));
  rows.push_back(Row(t.labResultTimePassSecondsT, t.labResultTimePassSeconds->text()));
  rows.push_back(Row(t.labHoldValT, t.labHoldVal->text()));
  return rows;
}

std::vector<ReportRow> PrintedReports::ResultsReportRows() const {
  const TestPage& t = test_;
  std::vector<ReportRow> rows = InformationRows();
  rows.push_back(Row(t.labDistanceT, t.labDistance->text()));
  rows.push_back(Row(t.labDisplacementSpeedT, t.labDisplacementSpeed->text()));
  rows.push_back(Row(t.labResultTimePassSecondsT, t.labResultTimePassSeconds->text()));
  const QString breakPoint = t.labHoldValT->text();
  for (int i = 0; i < 3; ++i) {
    rows.push_back({QStringLiteral("%1. ").arg(i + 1) + breakPoint,
                    QStringLiteral(": ") + report_.txtReportTensileVal[i]->text()});
  }
  rows.push_back({QStringLiteral("Ortalama ") + breakPoint, QStringLiteral(": ") + report_.labReportAverage->text()});
  return rows;
}

ReportHeader PrintedReports::Header(const QString& title) const {
  return {report_.picIdeal->pixmap().toImage(), companyHdr_[0]->text(), companyHdr_[1]->text(), title,
          program_.clock.Now()};
}

void PrintedReports::DrawCurveBlock(Printer& printer) const {
  // The curve the graph shows, drawn afresh as on a graph of its designed
  // size, whose shape the box has: the page keeps the curve's proportions and
  // line widths however large the window shows the graph.
  const QSize designed = test_.Graph->DesignedSize();
  printer.PaintDrawing(kGraphBox, designed, [designed, curve = shownCurve_](QPainter& painter) {
    CurveDrawing().Draw(painter, designed, curve);
  });

  printer.SetFont({printer.Font().name, 6, true});
  const double timeStep = kGraphBox.width() / (kTimeLabels - 1);
  for (int i = 0; i < kTimeLabels; ++i) {
    const QString label = test_.LabTimeLog[kTimeLabels - 1 - i]->text().left(kTimeLabelLength);
    printer.Print({kGraphBox.left() + timeStep * i, kGraphBox.bottom() + 2}, label);
  }
  const double top = Val(test_.labHoldVal->text());
  const QString unit = test_.labTensileUnit->text();
  const double forceStep = kGraphBox.height() / kForceSteps;
  for (int j = 0; j <= kForceSteps; ++j) {
    // Each label stands 2 mm above its level.
    printer.Print({kGraphBox.right() + 2, kGraphBox.bottom() - 2 - forceStep * j},
                  GeneralNumber(top * j / kForceSteps) + unit);
  }

  printer.SetDrawWidth(5);
  printer.Line({kGraphBox.left(), kGraphBox.top() - 5}, kGraphBox.bottomLeft());
  printer.Line(kGraphBox.bottomLeft(), kGraphBox.bottomRight());
}

void PrintedReports::cmdPrint_Click() {
  if (!AskToPrint(program_.dialogs)) return;
  const QString recordName = records_.MakeRecordName();
  program_.dialogs.SetAppTitle(recordName);
  if (!program_.global.RecordLoaded) records_.SaveTestRecord();

  const auto printer = printers_(kTestReportTitle + QLatin1Char(' ') + recordName);
  DrawHeaderBlock(*printer, kTestReportTop, Header(kTestReportTitle));
  DrawRows(*printer, kTestReportTop + kRowsBelowHeader, TestReportRows());
  DrawCurveBlock(*printer);
  EndReport(*printer, program_.dialogs);
}

void PrintedReports::cmdPrintReport_Click() {
  if (!AskToPrint(program_.dialogs)) return;
  const auto printer = printers_(kResultsReportTitle + QLatin1Char(' ') + records_.MakeRecordName());
  DrawHeaderBlock(*printer, kResultsReportTop, Header(kResultsReportTitle));
  DrawRows(*printer, kResultsReportTop + kRowsBelowHeader, ResultsReportRows());
  EndReport(*printer, program_.dialogs);
}

}  // namespace vt
