#include "setup/ProductionPanel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "setup/ParameterLists.h"

namespace vt {

ProductionPanel::ProductionPanel(QWidget* parent) : QWidget(parent) {
  PDDay = ParameterList(QStringLiteral("PDDay"), ParList::Day);
  PDMon = ParameterList(QStringLiteral("PDMon"), ParList::Month);
  PDYear = ParameterList(QStringLiteral("PDYear"), ParList::Year);
  FWare = NamedLabel(QStringLiteral("FWare"), QStringLiteral("Unknown"));
  for (QComboBox* list : {PDDay, PDMon, PDYear}) list->setEnabled(false);

  auto* production = new QGroupBox(QStringLiteral("Production"));
  auto* grid = new QGridLayout(production);
  grid->addWidget(new QLabel(QStringLiteral("Prod. Date")), 0, 0);
  auto* dateRow = new QHBoxLayout;
  dateRow->addWidget(PDDay);
  dateRow->addWidget(PDMon);
  dateRow->addWidget(PDYear);
  dateRow->addStretch();
  grid->addLayout(dateRow, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Serial Num.")), 1, 0);
  grid->addWidget(new QLabel(QStringLiteral("Firmware")), 2, 0);
  grid->addWidget(FWare, 2, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(production);
}

void ProductionPanel::Show(const ProductionValues& v, const QString& firmware) {
  read_ = v;
  PDDay->setCurrentIndex(v.day);
  PDMon->setCurrentIndex(v.month);
  PDYear->setCurrentIndex(PDYear->findText(v.year.text));
  FWare->setText(firmware);
}

ProductionValues ProductionPanel::Values() const {
  ProductionValues v;
  v.day = PDDay->currentIndex();
  v.month = PDMon->currentIndex();
  v.year = StillShown(PDYear->currentText(), read_.year);
  return v;
}

}  // namespace vt
