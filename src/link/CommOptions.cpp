#include "link/CommOptions.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include "platform/Controls.h"
#include "platform/Presses.h"
#include "settings/NumberText.h"

namespace vt {
namespace {

// The first four characters of the settings text pick the baud rate.
constexpr std::array<const char*, 8> kBaudPrefixes = {"1200", "2400", "4800", "9600",
                                                       "1920", "3840", "5760", "1152"};

QComboBox* MakeList(const QString& name, const QStringList& items) {
  auto* list = Named(new QComboBox, name);
  list->addItems(items);
  return list;
}

// Selects the item whose key matches; other keys leave the list unchanged.
void SelectByKey(QComboBox* list, const QString& key, const QStringList& keys) {
  const qsizetype index = keys.indexOf(key);
  if (index >= 0) list->setCurrentIndex(static_cast<int>(index));
}

}  // namespace

CommOptions::CommOptions(Communication& comm, CommandQueue& queue, Dialogs& dialogs, CommOptionsActions actions,
                         QWidget* parent)
    : QDialog(parent), comm_(comm), dialogs_(dialogs), actions_(std::move(actions)) {
  setObjectName(QStringLiteral("CommOptions"));
  setWindowTitle(QStringLiteral("Communication Options"));
  SelComPort = MakeList("SelComPort", {"OFFLINE", "COM1", "COM2", "COM3", "COM4", "TCP_IP"});
  SelProt = MakeList("SelProt", {"RTU", "ASCII"});
  SelBaud = MakeList("SelBaud", {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"});
  SelParity = MakeList("SelParity", {"None", "Odd", "Even"});
  SelBits = MakeList("SelBits", {"7 Bit", "8 Bit"});
  SelStops = MakeList("SelStops", {"1 Bit", "2 Bits"});
  for (QComboBox* list : {SelComPort, SelProt, SelBaud, SelParity, SelBits, SelStops}) list->setCurrentIndex(-1);
  SelMBid = Named(new QLineEdit, "SelMBid");
  for (int i = 0; i < 4; ++i) {
    TxtIP[i] = Named(new QLineEdit, QStringLiteral("TxtIP(%1)").arg(i));
    TxtIP[i]->setMaximumWidth(48);
  }
  LabIp = Named(new QLabel(QStringLiteral("IP")), "LabIp");
  cmdApply = PlainButton(QStringLiteral("Apply"), QStringLiteral("cmdApply"));
  cmdApply->setToolTip(QStringLiteral("Save and update modifications; remain in this window"));
  cmdOK = PlainButton(QStringLiteral("OK"), QStringLiteral("cmdOK"));
  cmdOK->setToolTip(QStringLiteral("Save modifications and return to display"));
  cmdCancel = PlainButton(QStringLiteral("Cancel"), QStringLiteral("cmdCancel"));
  cmdCancel->setToolTip(QStringLiteral("Discard modifications and return to display without any update"));

  auto* grid = new QGridLayout(this);
  const std::array<std::pair<const char*, QWidget*>, 7> rows = {{{"Port", SelComPort},
                                                                  {"Protocol", SelProt},
                                                                  {"Baudrate", SelBaud},
                                                                  {"Parity", SelParity},
                                                                  {"Data Bits", SelBits},
                                                                  {"Stop Bits", SelStops},
                                                                  {"Modbus Address", SelMBid}}};
  int row = 0;
  for (const auto& [caption, control] : rows) {
    grid->addWidget(new QLabel(QString::fromLatin1(caption)), row, 0);
    grid->addWidget(control, row++, 1);
  }
  auto* ipRow = new QHBoxLayout;
  for (QLineEdit* octet : TxtIP) ipRow->addWidget(octet);
  grid->addWidget(LabIp, row, 0);
  grid->addLayout(ipRow, row++, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdApply);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  grid->addLayout(buttons, row, 0, 1, 2);

  connect(SelComPort, &QComboBox::activated, this, &CommOptions::SelComPort_Click);
  OnPress(queue, cmdApply, &QPushButton::clicked, this, [this] { cmdApply_Click(); });
  OnPress(queue, cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  OnPress(queue, cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  Form_Load();
}

void CommOptions::Form_Load() {
  SelComPort->setCurrentIndex(comm_.IndPort >= 0 && comm_.IndPort < SelComPort->count() ? comm_.IndPort : -1);
  SelComPort_Click();
  SelProt->setCurrentIndex(comm_.RTUMode == 1 ? 0 : 1);
  SelMBid->setText(comm_.DevAddress);

  const QString& settings = comm_.PortSettings;
  QStringList baudKeys;
  for (const char* prefix : kBaudPrefixes) baudKeys << QString::fromLatin1(prefix);
  SelectByKey(SelBaud, settings.left(4), baudKeys);
  // The letters after the first comma, read at fixed offsets from it.
  const qsizetype comma = settings.indexOf(QLatin1Char(','));
  auto at = [&](qsizetype offset) { return settings.mid(comma + offset, 1); };
  SelectByKey(SelParity, at(1), {"n", "o", "e"});
  SelectByKey(SelBits, at(3), {"7", "8"});
  SelectByKey(SelStops, at(5), {"1", "2"});
  ShowPortFields();
}

void CommOptions::SelComPort_Click() { ShowPortFields(); }

void CommOptions::ShowPortFields() {
  const bool tcp = SelComPort->currentText() == QStringLiteral("TCP_IP");
  for (int i = 0; i < 4; ++i) {
    TxtIP[i]->setVisible(tcp);
    if (tcp) TxtIP[i]->setText(QString::number(comm_.IPAddr[i]));
  }
  LabIp->setVisible(tcp);
  for (QComboBox* list : {SelBaud, SelParity, SelBits, SelStops, SelProt}) list->setEnabled(!tcp);
  ShowTcpLed(tcp);
}

void CommOptions::ShowTcpLed(bool shown) {
  if (actions_.IndTCPConOK) actions_.IndTCPConOK->setVisible(shown);
  if (actions_.labTCPCOn) actions_.labTCPCOn->setVisible(shown);
}

void CommOptions::Reject(const QString& message) {
  dialogs_.MsgBox(message, MsgStyle::OkOnly, QStringLiteral("Incorrect Parameter"));
}

std::optional<std::uint8_t> CommOptions::OctetOf(const QString& text) {
  bool ok = false;
  const uint value = PointFormat().toUInt(text.trimmed(), &ok);
  if (!ok || value > 255) return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

bool CommOptions::chkIP(const QString& inText) {
  if (OctetOf(inText)) return true;
  Reject(QStringLiteral("IP Hatalı Girildi"));
  return false;
}

bool CommOptions::TcpChosen() const { return SelComPort->currentText() == QStringLiteral("TCP_IP"); }

bool CommOptions::SerialSettingsChosen() const {
  return SelBaud->currentIndex() >= 0 && SelParity->currentIndex() >= 0 && SelBits->currentIndex() >= 0 &&
         SelStops->currentIndex() >= 0;
}

// Checks every entry and changes nothing: the settings are taken over only
// once all of them passed.
bool CommOptions::ChkParam() {
  if (!StrictNumber(SelMBid->text(), PointFormat())) {
    Reject(QStringLiteral("ModBus Address incorrect"));
    return false;
  }
  if (!StationAddress(SelMBid->text())) {
    Reject(QStringLiteral("ModBus Address should be between 1-255"));
    return false;
  }
  if (SelComPort->currentIndex() < 0) {
    Reject(QStringLiteral("Port not selected!"));
    return false;
  }
  if (TcpChosen()) {
    for (const QLineEdit* octet : TxtIP) {
      if (!chkIP(octet->text())) return false;
    }
  }

  // The serial lists are disabled for TCP, so only a serial port needs them all.
  if (SelComPort->currentIndex() != Port::Offline && !TcpChosen() && !SerialSettingsChosen()) {
    Reject(QStringLiteral("Communication parameters not selected!"));
    return false;
  }
  const bool sevenBits = SelBits->currentText() == QStringLiteral("7 Bit");
  const bool eightBits = SelBits->currentText() == QStringLiteral("8 Bit");
  const bool noParity = SelParity->currentText() == QStringLiteral("None");
  if (sevenBits && noParity && SelStops->currentText() == QStringLiteral("1 Bit")) {
    Reject(QStringLiteral("Communication parameters of 7 bits,noparity with 1 stop bit not supported by device!"));
    return false;
  }
  if (eightBits && !noParity && SelStops->currentText() == QStringLiteral("2 Bits")) {
    Reject(QStringLiteral("Communication parameters of 8 bits, parity with 2 stop bits not supported by device!"));
    return false;
  }
  if (SelProt->currentText() == QStringLiteral("RTU") && sevenBits) {
    Reject(QStringLiteral("Cannot communicate with 7 bits in RTU mode!"));
    return false;
  }
  return true;
}

void CommOptions::PickInfo() {
  comm_.DevAddress = SelMBid->text();
  comm_.RTUMode = SelProt->currentText() == QStringLiteral("ASCII") ? 0 : 1;
  // Lists left blank (no settings were ever stored) keep the stored text.
  if (SerialSettingsChosen()) {
    const QString parity = QStringList{"n", "o", "e"}.value(SelParity->currentIndex());
    const QString bits = SelBits->currentIndex() == 0 ? QStringLiteral("7") : QStringLiteral("8");
    const QString stops = SelStops->currentIndex() == 1 ? QStringLiteral("2") : QStringLiteral("1");
    comm_.PortSettings = SelBaud->currentText() + QLatin1Char(',') + parity + QLatin1Char(',') + bits +
                         QLatin1Char(',') + stops;
  }
  if (TcpChosen()) {
    for (int i = 0; i < 4; ++i) comm_.IPAddr[i] = *OctetOf(TxtIP[i]->text());
  }
}

bool CommOptions::ApplySettings() {
  if (!ChkParam()) return false;
  PickInfo();
  // The watchdog connects to the new address.
  if (TcpChosen() && actions_.closeTcp) actions_.closeTcp();
  if (!actions_.openPort(SelComPort->currentIndex())) return false;
  actions_.saveConfig();
  return true;
}

void CommOptions::cmdApply_Click() { ApplySettings(); }

void CommOptions::cmdOK_Click() {
  if (ApplySettings()) accept();
}

void CommOptions::cmdCancel_Click() { reject(); }

// Cancel, Escape and the close button take nothing over, and the main
// window's TCP LED follows the port in use again, whatever the list showed.
void CommOptions::reject() {
  ShowTcpLed(comm_.IndPort == Port::Tcp);
  QDialog::reject();
}

}  // namespace vt
