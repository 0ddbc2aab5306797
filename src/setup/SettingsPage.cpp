#include "setup/SettingsPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/Controls.h"

namespace vt {

SettingsPage::SettingsPage(QWidget* parent) : QWidget(parent) {
  linkPanel = new LinkPanel;
  machinePanel = new MachinePanel;

  auto* header = new QGroupBox(QStringLiteral("Rapor Başlığı"));
  auto* headerLayout = new QVBoxLayout(header);
  for (int i = 0; i < 2; ++i) {
    txtCompanyHdr[i] = Named(new QLineEdit, QStringLiteral("txtCompanyHdr(%1)").arg(i));
    headerLayout->addWidget(txtCompanyHdr[i]);
  }

  SpecDatapath = Named(new QPushButton(QStringLiteral("Specify Data Path")), "SpecDatapath");
  SelDatLog = Named(new QPushButton(QStringLiteral("Logs")), "SelDatLog");
  CommDefAll = Named(new QPushButton(QStringLiteral("Upload Defaults")), "CommDefAll");
  CommDefAll->setEnabled(false);
  auto* data = new QGroupBox(QStringLiteral("Q/A data management"));
  auto* dataLayout = new QVBoxLayout(data);
  dataLayout->addWidget(SpecDatapath);
  dataLayout->addWidget(SelDatLog);
  dataLayout->addWidget(CommDefAll);

  PDDay = Named(new QComboBox, "PDDay");
  for (int d = 1; d <= 31; ++d) PDDay->addItem(QStringLiteral("%1").arg(d, 2, 10, QLatin1Char('0')));
  PDDay->addItem(QStringLiteral("--"));
  PDMon = Named(new QComboBox, "PDMon");
  PDMon->addItems({"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec", "---"});
  PDYear = Named(new QComboBox, "PDYear");
  for (int y = 2000; y <= 2019; ++y) PDYear->addItem(QString::number(y));
  PDYear->addItem(QStringLiteral("----"));
  SetPar[0] = Named(new QPushButton(QStringLiteral("Write Parameters")), "SetPar(0)");
  for (QWidget* control : {static_cast<QWidget*>(PDDay), static_cast<QWidget*>(PDMon),
                           static_cast<QWidget*>(PDYear), static_cast<QWidget*>(SetPar[0])}) {
    control->setEnabled(false);
  }
  auto* production = new QGroupBox(QStringLiteral("Production"));
  auto* productionGrid = new QGridLayout(production);
  productionGrid->addWidget(new QLabel(QStringLiteral("Prod. Date")), 0, 0);
  auto* dateRow = new QHBoxLayout;
  dateRow->addWidget(PDDay);
  dateRow->addWidget(PDMon);
  dateRow->addWidget(PDYear);
  productionGrid->addLayout(dateRow, 0, 1);
  productionGrid->addWidget(SetPar[0], 1, 1);
  cmdMemoryDump = Named(new QPushButton(QStringLiteral("Parameter Read/Write")), "cmdMemoryDump");
  productionGrid->addWidget(cmdMemoryDump, 2, 1);

  auto* left = new QVBoxLayout;
  left->addWidget(linkPanel);
  left->addWidget(data);
  left->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(machinePanel);
  right->addWidget(header);
  right->addWidget(production);
  right->addStretch();
  auto* page = new QHBoxLayout(this);
  page->addLayout(left);
  page->addLayout(right);
  page->addStretch();
}

std::array<QWidget*, 5> SettingsPage::FactoryControls() const { return {CommDefAll, PDDay, PDMon, PDYear, SetPar[0]}; }

}  // namespace vt
