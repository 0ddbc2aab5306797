#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <array>

namespace vt {

// The "Rapor" tab: the test's conditions and values, the three break values
// with their average, the report logo and the report buttons.
class ReportPage : public QWidget {
  Q_OBJECT
 public:
  explicit ReportPage(QWidget* parent = nullptr);

  QLabel* labReportConditions;
  QLabel* labReportValues;
  QLabel* labTestAvgVals;
  std::array<QLineEdit*, 3> txtReportTensileVal;
  QLabel* labReportAverage;
  QPushButton* CalculateTensileMean;
  QPushButton* cmdClearResults;
  QPushButton* cmdPrintReport;
  QPushButton* BrowseLogPrint;
  QPushButton* cmdSelPicture;
  QLabel* picIdeal;  // the report logo
};

}  // namespace vt
