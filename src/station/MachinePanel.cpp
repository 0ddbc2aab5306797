#include "station/MachinePanel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "platform/Controls.h"

namespace vt {

MachinePanel::MachinePanel(QWidget* parent) : QWidget(parent) {
  SelMachineType = Named(new QComboBox, "SelMachineType");
  SelMachineType->addItems({QStringLiteral("KOPMA MAKINASI"), QStringLiteral("KIRILMA MAKINASI")});
  SelMachineType->setCurrentIndex(-1);
  SelPLCComPort = Named(new QComboBox, "SelPLCComPort");
  SelPLCComPort->addItem(QStringLiteral("PLC KONTROL YOK"));
  for (int n = 1; n <= 10; ++n) SelPLCComPort->addItem(QStringLiteral("COM%1").arg(n));
  SelPLCComPort->setCurrentIndex(-1);
  labPLCComm = Named(new QLabel, "labPLCComm");
  // On a narrow window the PLC port's state breaks into lines beside its list.
  labPLCComm->setWordWrap(true);
  txtPreLoading = Named(new QLineEdit, "txtPreLoading");
  cmdSetZero = Named(new QPushButton(QStringLiteral("Sıfır Al")), "cmdSetZero");
  cmdFailReset = Named(new QPushButton(QStringLiteral("Failure Reset")), "cmdFailReset");
  AppTare[0] = nullptr;
  AppTare[1] = Named(new QPushButton(QStringLiteral("Tare")), "AppTare(1)");
  cmdPar2Ram = Named(new QPushButton(QStringLiteral("2Ram")), "cmdPar2Ram");
  cmd2EEprom = Named(new QPushButton(QStringLiteral("2EEp")), "cmd2EEprom");
  Command1 = Named(new QPushButton(QStringLiteral("Kalibrasyon")), "Command1");
  // Designed hidden: nothing shows them.
  AppTare[1]->setVisible(false);
  cmdPar2Ram->setVisible(false);
  cmd2EEprom->setVisible(false);

  auto* machine = new QGroupBox(QStringLiteral("Makina"));
  auto* grid = new QGridLayout(machine);
  grid->addWidget(new QLabel(QStringLiteral("Makina Tipi")), 0, 0);
  grid->addWidget(SelMachineType, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("PLC Portu")), 1, 0);
  grid->addWidget(SelPLCComPort, 1, 1);
  grid->addWidget(labPLCComm, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Ön Yükleme")), 2, 0);
  grid->addWidget(txtPreLoading, 2, 1);

  auto* device = new QGroupBox(QStringLiteral("Cihaz Ayarlar"));
  auto* deviceGrid = new QGridLayout(device);
  deviceGrid->addWidget(cmdSetZero, 0, 0);
  deviceGrid->addWidget(cmdFailReset, 0, 1);
  deviceGrid->addWidget(AppTare[1], 1, 0);
  deviceGrid->addWidget(cmdPar2Ram, 1, 1);
  deviceGrid->addWidget(cmd2EEprom, 1, 2);
  deviceGrid->addWidget(Command1, 2, 0);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(machine);
  layout->addWidget(device);

  connect(SelMachineType, &QComboBox::activated, this, &MachinePanel::SelMachineType_Click);
}

void MachinePanel::SelMachineType_Click() { SelMachineType_Change(); }

void MachinePanel::SelMachineType_Change() {
  const bool tensile = SelMachineType->currentIndex() == 0;
  const QString word = tensile ? QStringLiteral("Kopma") : QStringLiteral("Kırılma");
  const MachineTypeLabels& l = machineTypeLabels_;
  if (l.labDistanceT) l.labDistanceT->setText(word + QStringLiteral("  Mesafesi [mm]"));
  if (l.labHoldValT) l.labHoldValT->setText(word + QStringLiteral(" Noktası"));
  if (l.labKopmaIzlendi) l.labKopmaIzlendi->setText(word + QStringLiteral(" Gözlendi"));
  if (l.labKopmaIzlemeAktif) l.labKopmaIzlemeAktif->setText(word + QStringLiteral(" İzleme Aktif"));
  if (l.labTestAvgVals) l.labTestAvgVals->setText(word + QStringLiteral(" Değerleri"));
}

}  // namespace vt
