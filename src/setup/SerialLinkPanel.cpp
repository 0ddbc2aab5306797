#include "setup/SerialLinkPanel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "setup/ParameterLists.h"

namespace vt {

SerialLinkPanel::SerialLinkPanel(QWidget* parent) : QWidget(parent) {
  SelBaud = ParameterList(QStringLiteral("SelBaud"), ParList::Baud);
  SelParity = ParameterList(QStringLiteral("SelParity"), ParList::Parity);
  SelBits = ParameterList(QStringLiteral("SelBits"), ParList::DataBits);
  SelStops = ParameterList(QStringLiteral("SelStops"), ParList::StopBits);
  SelDelay = ParameterBox(QStringLiteral("SelDelay"));
  SelTout = ParameterBox(QStringLiteral("SelTout"));
  SelMBid = ParameterBox(QStringLiteral("SelMBid"));
  SelProt = ParameterList(QStringLiteral("SelProt"), ParList::Protocol);
  Label7 = NamedLabel(QStringLiteral("Label7"),
                      QStringLiteral("Important Note: The value of zero (0) for Modbus address is not supported by "
                                     "ModBus protocol. Device operates in continuous output mode if 0 entered as the "
                                     "ModBus address. The device will not be accessible by PC software after setting "
                                     "this parameter to zero unless the communication is reset by reversing the "
                                     "polarity of the line."));
  Label7->setWordWrap(true);

  auto* frame = new QGroupBox(QStringLiteral("Frame Parameters"));
  auto* frameGrid = new QGridLayout(frame);
  frameGrid->addWidget(new QLabel(QStringLiteral("Baudrate")), 0, 0);
  frameGrid->addWidget(SelBaud, 0, 1);
  frameGrid->addWidget(new QLabel(QStringLiteral("Parity")), 1, 0);
  frameGrid->addWidget(SelParity, 1, 1);
  frameGrid->addWidget(new QLabel(QStringLiteral("Data Bits")), 2, 0);
  frameGrid->addWidget(SelBits, 2, 1);
  frameGrid->addWidget(new QLabel(QStringLiteral("Stop Bits")), 3, 0);
  frameGrid->addWidget(SelStops, 3, 1);

  auto* modbus = new QGroupBox(QStringLiteral("ModBus Parameters"));
  auto* modbusGrid = new QGridLayout(modbus);
  modbusGrid->addWidget(new QLabel(QStringLiteral("Response Delay")), 0, 0);
  modbusGrid->addWidget(SelDelay, 0, 1);
  modbusGrid->addWidget(new QLabel(QStringLiteral("Response Time-Out")), 1, 0);
  modbusGrid->addWidget(SelTout, 1, 1);
  modbusGrid->addWidget(new QLabel(QStringLiteral("Modbus Address")), 2, 0);
  modbusGrid->addWidget(SelMBid, 2, 1);
  modbusGrid->addWidget(new QLabel(QStringLiteral("0-255")), 2, 2);
  modbusGrid->addWidget(new QLabel(QStringLiteral("Protocol")), 3, 0);
  modbusGrid->addWidget(SelProt, 3, 1);

  auto* frames = new QHBoxLayout;
  frames->addWidget(frame, 0, Qt::AlignTop);
  frames->addWidget(modbus, 0, Qt::AlignTop);
  frames->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(frames);
  layout->addWidget(Label7);

  connect(SelBaud, &QComboBox::activated, this, &SerialLinkPanel::SelBaud_Click);
}

void SerialLinkPanel::Show(const SerialLinkValues& v) {
  read_ = v;
  SelProt->setCurrentIndex(v.protocol);
  SelBaud->setCurrentIndex(v.baud);
  SelBaud_Click();
  SelParity->setCurrentIndex(v.parity);
  SelBits->setCurrentIndex(v.dataBits);
  SelStops->setCurrentIndex(v.stopBits);
  SelDelay->setText(v.delay.text);
  SelTout->setText(v.timeOut.text);
  SelMBid->setText(v.address);
}

SerialLinkValues SerialLinkPanel::Values() const {
  SerialLinkValues v;
  v.protocol = SelProt->currentIndex();
  v.baud = SelBaud->currentIndex();
  v.parity = SelParity->currentIndex();
  v.dataBits = SelBits->currentIndex();
  v.stopBits = SelStops->currentIndex();
  // The counts' unit follows the baud rate.
  const bool baudAsRead = v.baud == read_.baud;
  v.delay = baudAsRead ? StillShown(SelDelay->text(), read_.delay) : ShownCount{SelDelay->text(), {}};
  v.timeOut = baudAsRead ? StillShown(SelTout->text(), read_.timeOut) : ShownCount{SelTout->text(), {}};
  v.address = SelMBid->text();
  return v;
}

void SerialLinkPanel::SelBaud_Change() {
  const int index = SelBaud->currentIndex();
  if (index < 0) return;
  // 32 ms at 1200 bit/s, halved with every step up.
  const QString suggestion = QString::number(32 >> index);
  SelDelay->setText(suggestion);
  SelTout->setText(suggestion);
}

}  // namespace vt
