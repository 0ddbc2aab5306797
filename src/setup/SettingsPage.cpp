#include "setup/SettingsPage.h"

#include <QGroupBox>
#include <QHBoxLayout>
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
  Serialization = Named(new QPushButton(QStringLiteral("Serialization")), "Serialization");
  auto* data = new QGroupBox(QStringLiteral("Q/A data management"));
  auto* dataLayout = new QVBoxLayout(data);
  dataLayout->addWidget(SpecDatapath);
  dataLayout->addWidget(SelDatLog);
  dataLayout->addWidget(CommDefAll);
  dataLayout->addWidget(Serialization);

  parameterTabs = new QTabWidget;
  productionPanel = new ProductionPanel;
  scalePanel = new ScalePanel;
  outputsPanel = new OutputsPanel;
  serialLinkPanel = new SerialLinkPanel;
  AddParameterPage(0, productionPanel, QStringLiteral("Production"));
  AddParameterPage(1, scalePanel, QStringLiteral("Scale"));
  AddParameterPage(2, outputsPanel, QStringLiteral("Outputs"));
  AddParameterPage(3, serialLinkPanel, QStringLiteral("Serial Link"));
  SetPar[0]->setEnabled(false);
  cmdMemoryDump = Named(new QPushButton(QStringLiteral("Parameter Read/Write")), "cmdMemoryDump");

  auto* left = new QVBoxLayout;
  left->addWidget(linkPanel);
  left->addWidget(data);
  left->addStretch();
  auto* middle = new QVBoxLayout;
  middle->addWidget(machinePanel);
  middle->addWidget(header);
  middle->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(parameterTabs);
  right->addWidget(cmdMemoryDump, 0, Qt::AlignLeft);
  right->addStretch();
  auto* page = new QHBoxLayout(this);
  page->addLayout(left);
  page->addLayout(middle);
  page->addLayout(right, 1);
}

void SettingsPage::AddParameterPage(int index, QWidget* panel, const QString& title) {
  ReadPar[index] = Named(new QPushButton(QStringLiteral("Read Parameters")), QStringLiteral("ReadPar(%1)").arg(index));
  SetPar[index] = Named(new QPushButton(QStringLiteral("Write Parameters")), QStringLiteral("SetPar(%1)").arg(index));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ReadPar[index]);
  buttons->addWidget(SetPar[index]);
  if (index > 0) {
    SetDefaults[index] =
        Named(new QPushButton(QStringLiteral("Set Defaults")), QStringLiteral("SetDefaults(%1)").arg(index));
    buttons->addWidget(SetDefaults[index]);
  }
  buttons->addStretch();

  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(panel);
  layout->addLayout(buttons);
  layout->addStretch();
  parameterTabs->addTab(page, title);
}

std::array<QWidget*, 5> SettingsPage::FactoryControls() const {
  return {CommDefAll, productionPanel->PDDay, productionPanel->PDMon, productionPanel->PDYear, SetPar[0]};
}

}  // namespace vt
