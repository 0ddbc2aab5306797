#include "reports/ReportPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/Controls.h"

namespace vt {
namespace {

// A column of the report texts. Its lines end with a line feed and a
// carriage return; Qt would draw each carriage return as a blank at the start
// of the next line, so the column shows its text without them, keeping the
// caption itself as built.
class ReportColumn : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    drawFrame(&painter);
    QString shown = text();
    shown.remove(QLatin1Char('\r'));
    style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
  }
};

}  // namespace

ReportPage::ReportPage(QWidget* parent) : QWidget(parent) {
  labReportConditions = Named(new ReportColumn, "labReportConditions");
  labReportValues = Named(new ReportColumn, "labReportValues");
  for (QLabel* column : {labReportConditions, labReportValues}) column->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  labTestAvgVals = Named(new QLabel(QStringLiteral("Kırılma Değerleri")), "labTestAvgVals");
  const std::array<const char*, 3> designValues = {"1150", "1000", "1225"};
  for (int i = 0; i < 3; ++i) {
    txtReportTensileVal[i] = Named(new QLineEdit(QString::fromLatin1(designValues[i])),
                                   QStringLiteral("txtReportTensileVal(%1)").arg(i));
  }
  labReportAverage = Named(new QLabel(QStringLiteral("1125")), "labReportAverage");
  labReportAverage->setFrameShape(QFrame::Panel);
  labReportAverage->setFrameShadow(QFrame::Sunken);
  CalculateTensileMean = Named(new QPushButton(QStringLiteral("Ortalama Bul")), "CalculateTensileMean");
  cmdClearResults = Named(new QPushButton(QStringLiteral("Temizle")), "cmdClearResults");
  cmdPrintReport = Named(new QPushButton(QStringLiteral("RAPOR YAZDIR")), "cmdPrintReport");
  BrowseLogPrint = Named(new QPushButton(QStringLiteral("ESKi KAYIT GETiR")), "BrowseLogPrint");
  cmdSelPicture = Named(new QPushButton(QStringLiteral("....")), "cmdSelPicture");
  picIdeal = Named(new QLabel, "picIdeal");
  picIdeal->setFixedSize(160, 80);
  picIdeal->setScaledContents(true);
  picIdeal->setFrameShape(QFrame::Box);

  auto* data = new QGroupBox(QStringLiteral("Test Verileri"));
  auto* dataLayout = new QHBoxLayout(data);
  dataLayout->addWidget(labReportConditions);
  dataLayout->addWidget(labReportValues, 1);

  auto* average = new QGroupBox(QStringLiteral("Ortalama Test Değeri Hesaplama"));
  auto* grid = new QGridLayout(average);
  grid->addWidget(labTestAvgVals, 0, 0, 1, 2);
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(new QLabel(QStringLiteral("Test %1").arg(i + 1)), i + 1, 0);
    grid->addWidget(txtReportTensileVal[i], i + 1, 1);
  }
  grid->addWidget(new QLabel(QStringLiteral("Ortalama")), 4, 0);
  grid->addWidget(labReportAverage, 4, 1);
  grid->addWidget(CalculateTensileMean, 5, 0);
  grid->addWidget(cmdClearResults, 5, 1);

  auto* logo = new QGroupBox(QStringLiteral("Logo"));
  auto* logoLayout = new QHBoxLayout(logo);
  logoLayout->addWidget(picIdeal);
  logoLayout->addWidget(cmdSelPicture);

  auto* right = new QVBoxLayout;
  right->addWidget(average);
  right->addWidget(logo);
  right->addWidget(cmdPrintReport);
  right->addWidget(BrowseLogPrint);
  right->addStretch();
  auto* page = new QHBoxLayout(this);
  page->addWidget(data, 1);
  page->addLayout(right);
}

}  // namespace vt
