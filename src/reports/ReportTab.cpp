#include "reports/ReportTab.h"

#include <QPixmap>

#include "platform/FileReading.h"
#include "platform/Presses.h"
#include "settings/Formats.h"
#include "settings/Messages.h"
#include "settings/NumberText.h"

namespace vt {
namespace {

// Every line of the report texts ends with a line feed and a carriage return.
const QString kLineEnd = QStringLiteral("\n\r");

void AppendLine(QLabel* column, const QString& point) { column->setText(column->text() + point + kLineEnd); }

}  // namespace

ReportTab::ReportTab(Program& program, TestPage& testPage, ReportPage& reportPage, QTabWidget& tabs)
    : program_(program), test_(testPage), report_(reportPage), tabs_(tabs), shownTab_(tabs.currentIndex()) {
  CommandQueue& queue = program_.commandQueue;
  connect(&tabs_, &QTabWidget::currentChanged, this, &ReportTab::TabChanged);
  OnPress(queue, report_.CalculateTensileMean, &QPushButton::clicked, this, [this] { CalculateTensileMean_Click(); });
  OnPress(queue, report_.cmdClearResults, &QPushButton::clicked, this, [this] { cmdClearResults_Click(); });
  OnPress(queue, report_.cmdSelPicture, &QPushButton::clicked, this, [this] { cmdSelPicture_Click(); });
}

void ReportTab::TabChanged(int index) {
  const int previous = shownTab_;
  shownTab_ = index;
  SSTab1_Click(previous);
}

void ReportTab::SelectTab(int index) { tabs_.setCurrentIndex(index); }

void ReportTab::SSTab1_Click(int PreviousTab) {
  const int shown = tabs_.currentIndex();
  if (shown == Tab::Settings && !SettingsTabPending) {
    // Show the previous tab again while the password is asked for.
    SettingsTabPending = true;
    SelectTab(PreviousTab);
    return;
  }
  if (!SettingsTabGranted && SettingsTabPending) {
    // The prompt is a box: it waits for the command on the line, if any,
    // and is asked once however often the tabs change meanwhile.
    if (!passwordAsked_) {
      passwordAsked_ = true;
      program_.commandQueue.Run([this] { AskSettingsTabPassword(); });
      return;
    }
  } else {
    SettingsTabGranted = false;
    SettingsTabPending = false;
  }
  RebuildReportTexts();
}

void ReportTab::AskSettingsTabPassword() {
  passwordAsked_ = false;
  if (!AskSettingsPassword(program_.dialogs)) {
    SettingsTabPending = false;
    return;
  }
  SettingsTabGranted = true;
  SelectTab(Tab::Settings);
}

void ReportTab::add2ReportHeader(const QString& point) { AppendLine(report_.labReportConditions, point); }

void ReportTab::add2ReportValue(const QString& point) { AppendLine(report_.labReportValues, point); }

void ReportTab::RebuildReportTexts() {
  const TestPage& t = test_;
  const QString mm = QStringLiteral("mm");
  const std::array<std::pair<QLabel*, QString>, 14> pairs = {{
      {t.LabHumidity, t.txtHumidity->text() + t.labHumidityRH->text()},
      {t.labTemperature, t.txtTemperature->text() + t.labTemperatureC->text()},
      {t.labProductName, t.txtProductName->text()},
      {t.labCustomerName, t.txtCustomerName->text()},
      {t.labLokeysin, t.txtLocation->text()},
      {t.labDimenW, t.txtDimensionW->text() + mm},
      {t.labDimenL, t.txtDimensionL->text() + mm},
      {t.labDimenH, t.txtDimensionH->text() + mm},
      {t.labMeasUnit, t.labTensileUnit->text()},
      {t.labTestStartT, t.labTestStart->text()},
      {t.labTestStopT, t.labTestStop->text()},
      {t.labDistanceT, t.labDistance->text()},
      {t.labDisplacementSpeedT, t.labDisplacementSpeed->text()},
      {t.labResultTimePassSecondsT, t.labResultTimePassSeconds->text()},
  }};
  report_.labReportConditions->clear();
  report_.labReportValues->clear();
  for (const auto& [name, value] : pairs) {
    add2ReportHeader(name->text());
    add2ReportValue(value);
  }
}

int ReportTab::AverageDecimals() const {
  return program_.global.DispDP + static_cast<int>(RoundHalfEven(program_.graphic.GraphUnitDP));
}

void ReportTab::CalculateTensileMean_Click() {
  double sum = 0;
  for (const QLineEdit* value : report_.txtReportTensileVal) sum += Val(value->text());
  report_.labReportAverage->setText(FormatDec(sum / 3, AverageDecimals()));
}

void ReportTab::cmdClearResults_Click() {
  for (QLineEdit* value : report_.txtReportTensileVal) value->setText(QStringLiteral("0"));
  report_.labReportAverage->setText(FormatDec(0, AverageDecimals()));
}

void ReportTab::cmdSelPicture_Click() {
  FileDialogRequest request;
  request.initDir = program_.programFolder;
  request.flags = FileMustExist;
  const auto chosen = program_.dialogs.ShowOpen(request);
  if (!chosen) return;
  QPixmap picture;
  if (LoadPicture(picture, *chosen)) report_.picIdeal->setPixmap(picture);
}

}  // namespace vt
