#include "setup/ScalePanel.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/Controls.h"
#include "setup/ParameterLists.h"
#include "settings/Formats.h"

namespace vt {
namespace {

constexpr int kRange1Row = 1;
constexpr int kRange2Row = 2;
constexpr int kRangeColumn = 3;

std::optional<int> SelectedValue(const QComboBox* list) {
  const QVariant data = list->currentData();
  return data.isValid() ? std::optional<int>(data.toInt()) : std::nullopt;
}

}  // namespace

ScalePanel::ScalePanel(QWidget* parent) : QWidget(parent) {
  ScaleType = ParameterList(QStringLiteral("ScaleType"), ParList::ScaleType);
  OptSteps1 = ParameterList(QStringLiteral("OptSteps1"), ParList::Steps);
  OptSteps2 = ParameterList(QStringLiteral("OptSteps2"), ParList::Steps);
  OptRange1 = ParameterBox(QStringLiteral("OptRange1"));
  OptRange2 = ParameterBox(QStringLiteral("OptRange2"));
  e1lab = NamedLabel(QStringLiteral("e1lab"), QStringLiteral("e1:"));
  e2Lab = NamedLabel(QStringLiteral("e2Lab"), QStringLiteral("e2:"));
  Max1lab = NamedLabel(QStringLiteral("Max1lab"), QStringLiteral("Max1:"));
  Max2Lab = NamedLabel(QStringLiteral("Max2Lab"), QStringLiteral("Max2:"));
  Max1Unit = NamedLabel(QStringLiteral("Max1Unit"), QStringLiteral("unit"));
  Max2Unit = NamedLabel(QStringLiteral("Max2Unit"), QStringLiteral("unit"));
  N1Lab = NamedLabel(QStringLiteral("N1Lab"), QStringLiteral("n1:"));
  N2Lab = NamedLabel(QStringLiteral("N2Lab"), QStringLiteral("n2:"));
  N1 = NamedLabel(QStringLiteral("N1"), QStringLiteral("N/A"));
  N2 = NamedLabel(QStringLiteral("N2"), QStringLiteral("N/A"));
  OptDP = ParameterList(QStringLiteral("OptDP"), ParList::DecimalPoint);
  OptUnit = ParameterList(QStringLiteral("OptUnit"), ParList::Unit);
  OptAutoTare = ParameterList(QStringLiteral("OptAutoTare"), ParList::AutoTare);
  OptInitialZero = ParameterList(QStringLiteral("OptInitialZero"), ParList::InitialZero);
  OptDrift = ParameterList(QStringLiteral("OptDrift"), ParList::Drift);
  OptCertified = ParameterList(QStringLiteral("OptCertified"), ParList::Certified);
  Label50[3] = NamedLabel(QStringLiteral("Label50(3)"), QStringLiteral("Drift"));
  Label50[5] = NamedLabel(QStringLiteral("Label50(5)"), QStringLiteral("Auto Tare"));

  auto* scale = new QGroupBox(QStringLiteral("Scale Specifications"));
  rangeGrid_ = new QGridLayout(scale);
  rangeGrid_->addWidget(new QLabel(QStringLiteral("Scale Type:")), 0, 0);
  rangeGrid_->addWidget(ScaleType, 0, 1, 1, 3);
  const std::array<std::array<QWidget*, 7>, 2> rows = {{{e1lab, OptSteps1, Max1lab, OptRange1, Max1Unit, N1Lab, N1},
                                                        {e2Lab, OptSteps2, Max2Lab, OptRange2, Max2Unit, N2Lab, N2}}};
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 7; ++c) rangeGrid_->addWidget(rows[r][c], kRange1Row + r, c);
  }
  rangeGrid_->setColumnMinimumWidth(6, 110);
  rangeGrid_->setColumnStretch(7, 1);

  auto* view = new QGroupBox(QStringLiteral("View"));
  auto* viewGrid = new QGridLayout(view);
  viewGrid->addWidget(new QLabel(QStringLiteral("Decimal Point:")), 0, 0);
  viewGrid->addWidget(OptDP, 0, 1);
  viewGrid->addWidget(new QLabel(QStringLiteral("Display Unit:")), 1, 0);
  viewGrid->addWidget(OptUnit, 1, 1);

  auto* advanced = new QGroupBox(QStringLiteral("Advanced"));
  auto* advancedGrid = new QGridLayout(advanced);
  advancedGrid->addWidget(Label50[5], 0, 0);
  advancedGrid->addWidget(OptAutoTare, 0, 1);
  advancedGrid->addWidget(new QLabel(QStringLiteral("Initial Zero")), 1, 0);
  advancedGrid->addWidget(OptInitialZero, 1, 1);
  advancedGrid->addWidget(Label50[3], 2, 0);
  advancedGrid->addWidget(OptDrift, 2, 1);
  // The panel's widest caption breaks into two lines on a narrow window.
  auto* certifiedCaption = new QLabel(QStringLiteral("Certified device"));
  certifiedCaption->setWordWrap(true);
  advancedGrid->addWidget(certifiedCaption, 3, 0);
  advancedGrid->addWidget(OptCertified, 3, 1);

  auto* lower = new QHBoxLayout;
  lower->addWidget(view, 0, Qt::AlignTop);
  lower->addWidget(advanced, 0, Qt::AlignTop);
  lower->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scale);
  layout->addLayout(lower);

  connect(ScaleType, &QComboBox::activated, this, &ScalePanel::ScaleType_Click);
  connect(OptDP, &QComboBox::activated, this, &ScalePanel::OptDP_Click);
  connect(OptSteps1, &QComboBox::activated, this, &ScalePanel::OptSteps1_Click);
  connect(OptSteps2, &QComboBox::activated, this, &ScalePanel::OptSteps2_Click);
  connect(OptRange1, &QLineEdit::textChanged, this, &ScalePanel::OptRange1_Change);
  connect(OptRange2, &QLineEdit::textChanged, this, &ScalePanel::OptRange2_Change);
  connect(OptUnit, &QComboBox::activated, this, &ScalePanel::OptUnit_Click);
  connect(OptCertified, &QComboBox::activated, this, &ScalePanel::OptCertified_Click);
}

void ScalePanel::Show(const ScaleValues& v) {
  ScaleType->setCurrentIndex(v.scaleType);
  ScaleType_Click();
  OptSteps1->setCurrentIndex(v.steps1);
  OptSteps1_Click();
  OptSteps2->setCurrentIndex(v.steps2);
  OptSteps2_Click();
  OptDP->setCurrentIndex(v.decimalPoint);
  OptDP_Click();
  OptRange1->setText(v.range1);
  OptRange2->setText(v.range2);
  OptUnit->setCurrentIndex(v.unit);
  OptUnit_Click();
  UpdateScaleSummary();
  OptCertified->setCurrentIndex(v.certified);
  OptCertified_Click();
  OptDrift->setCurrentIndex(v.drift);
  OptInitialZero->setCurrentIndex(v.initialZero);
  OptAutoTare->setCurrentIndex(v.autoTare);
}

ScaleValues ScalePanel::Values() const {
  ScaleValues v;
  v.scaleType = ScaleType->currentIndex();
  v.steps1 = OptSteps1->currentIndex();
  v.steps2 = OptSteps2->currentIndex();
  v.decimalPoint = OptDP->currentIndex();
  v.range1 = OptRange1->text();
  v.range2 = OptRange2->text();
  v.unit = OptUnit->currentIndex();
  v.certified = OptCertified->currentIndex();
  v.drift = OptDrift->currentIndex();
  v.initialZero = OptInitialZero->currentIndex();
  v.autoTare = OptAutoTare->currentIndex();
  return v;
}

int ScalePanel::OptRange2Row() const {
  int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
  rangeGrid_->getItemPosition(rangeGrid_->indexOf(OptRange2), &row, &column, &rowSpan, &columnSpan);
  return row;
}

void ScalePanel::PlaceOptRange2(int row) {
  if (OptRange2Row() == row) return;
  rangeGrid_->removeWidget(OptRange2);
  rangeGrid_->addWidget(OptRange2, row, kRangeColumn);
}

void ScalePanel::UpdateScaleSummary() {
  ScaleSummaryInputs inputs;
  inputs.scaleType = SelectedValue(ScaleType);
  inputs.decimalIndex = OptDP->currentIndex();
  inputs.step1 = SelectedValue(OptSteps1);
  inputs.step2 = SelectedValue(OptSteps2);
  inputs.range1 = OptRange1->text();
  inputs.range2 = OptRange2->text();
  const ScaleSummary summary = SummarizeScale(inputs);

  const bool single = summary.singleInterval;
  for (QWidget* secondRange : {static_cast<QWidget*>(OptRange1), static_cast<QWidget*>(OptSteps2),
                               static_cast<QWidget*>(e2Lab), static_cast<QWidget*>(Max2Lab),
                               static_cast<QWidget*>(Max2Unit), static_cast<QWidget*>(N2Lab),
                               static_cast<QWidget*>(N2)}) {
    secondRange->setHidden(single);
  }
  e1lab->setText(single ? QStringLiteral("e:") : QStringLiteral("e1:"));
  Max1lab->setText(single ? QStringLiteral("Max:") : QStringLiteral("Max1:"));
  PlaceOptRange2(single ? kRange1Row : kRange2Row);
  N1Lab->setText(single ? QStringLiteral("n :") : QStringLiteral("n1 :"));
  if (!single) N2Lab->setText(QStringLiteral("n2 :"));
  N1->setText(summary.n1);
  if (!single) N2->setText(summary.n2);
}

void ScalePanel::OptUnit_Click() {
  const QString unit = UnitName(OptUnit->currentIndex());
  Max1Unit->setText(unit);
  Max2Unit->setText(unit);
}

void ScalePanel::OptCertified_Change() {
  const bool notCertified = OptCertified->currentIndex() == 0;
  for (QWidget* control : {static_cast<QWidget*>(Label50[3]), static_cast<QWidget*>(Label50[5]),
                           static_cast<QWidget*>(OptDrift), static_cast<QWidget*>(OptAutoTare)}) {
    control->setVisible(notCertified);
  }
  if (!notCertified) {
    OptDrift->setCurrentIndex(0);
    OptAutoTare->setCurrentIndex(1);
  }
}

}  // namespace vt
