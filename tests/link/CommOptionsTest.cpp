#include <gtest/gtest.h>

#include <QTest>
#include <limits>

#include "link/CommOptions.h"
#include "platform/ScriptedDialogs.h"
#include "support/QStringPrinter.h"

namespace vt {
namespace {

class CommOptionsWindow : public ::testing::Test {
 protected:
  CommOptionsWindow() {
    comm.IndPort = 1;
    comm.RTUMode = 0;
    comm.DevAddress = QStringLiteral("1");
    comm.PortSettings = QStringLiteral("9600,e,7,1");
    comm.IPAddr = {10, 0, 0, 5, 0};
  }
  std::unique_ptr<CommOptions> Open() {
    CommOptionsActions actions;
    actions.openPort = [this](int port) {
      openedPorts.push_back(port);
      if (portOpens) comm.IndPort = port;
      return portOpens;
    };
    actions.closeTcp = [this] { ++tcpCloses; };
    actions.saveConfig = [this] { ++saves; };
    actions.IndTCPConOK = &tcpLed;
    actions.labTCPCOn = &tcpLabel;
    return std::make_unique<CommOptions>(comm, queue, dialogs, actions);
  }

  // "OK" refuses the entries with one message: the window stays open with
  // the entries as typed, and nothing is taken over, closed, opened or saved.
  void ExpectRefused(CommOptions& window, const QString& message) {
    const Communication before = comm;
    QStringList typed;
    for (const QLineEdit* octet : window.TxtIP) typed << octet->text();
    dialogs.boxes.clear();
    window.show();
    window.cmdOK_Click();
    EXPECT_EQ(dialogs.texts(), QStringList({message}));
    EXPECT_TRUE(window.isVisible());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(window.TxtIP[i]->text(), typed[i]);
    EXPECT_EQ(comm.IPAddr, before.IPAddr);
    EXPECT_EQ(comm.DevAddress, before.DevAddress);
    EXPECT_EQ(comm.PortSettings, before.PortSettings);
    EXPECT_EQ(comm.RTUMode, before.RTUMode);
    EXPECT_EQ(tcpCloses, 0);
    EXPECT_TRUE(openedPorts.empty());
    EXPECT_EQ(saves, 0);
  }

  static void ChoosePort(CommOptions& window, int port) {
    window.SelComPort->setCurrentIndex(port);
    window.SelComPort_Click();
  }

  static void TypeAddress(CommOptions& window, const QStringList& octets) {
    for (int i = 0; i < 4; ++i) window.TxtIP[i]->setText(octets[i]);
  }

  Communication comm;
  CommandQueue queue;
  ScriptedDialogs dialogs;
  std::vector<int> openedPorts;
  bool portOpens = true;
  int tcpCloses = 0;
  int saves = 0;
  QWidget tcpLed;
  QLabel tcpLabel;
};

TEST_F(CommOptionsWindow, LoadsTheStoredSettings) {
  comm.PortSettings = QStringLiteral("115200,n,8,2");
  auto window = Open();
  EXPECT_EQ(window->SelComPort->currentText(), QStringLiteral("COM1"));
  EXPECT_EQ(window->SelProt->currentText(), QStringLiteral("ASCII"));
  EXPECT_EQ(window->SelBaud->currentText(), QStringLiteral("115200"));
  EXPECT_EQ(window->SelParity->currentText(), QStringLiteral("None"));
  EXPECT_EQ(window->SelBits->currentText(), QStringLiteral("8 Bit"));
  EXPECT_EQ(window->SelStops->currentText(), QStringLiteral("2 Bits"));
  EXPECT_EQ(window->SelMBid->text(), QStringLiteral("1"));
  EXPECT_TRUE(window->TxtIP[0]->isHidden());
}

TEST_F(CommOptionsWindow, ChoosingTcpShowsTheAddressAndDisablesTheSerialListsKeepingTheirValues) {
  comm.PortSettings = QStringLiteral("115200,n,8,2");
  auto window = Open();
  window->SelComPort->setCurrentIndex(5);
  window->SelComPort_Click();
  EXPECT_FALSE(window->TxtIP[3]->isHidden());
  EXPECT_EQ(window->TxtIP[3]->text(), QStringLiteral("5"));
  EXPECT_FALSE(window->LabIp->isHidden());
  for (QComboBox* list : {window->SelBaud, window->SelParity, window->SelBits, window->SelStops, window->SelProt}) {
    EXPECT_FALSE(list->isEnabled());
  }
  EXPECT_EQ(window->SelBaud->currentText(), QStringLiteral("115200"));
  EXPECT_EQ(window->SelStops->currentText(), QStringLiteral("2 Bits"));
  EXPECT_FALSE(tcpLed.isHidden());
  window->SelComPort->setCurrentIndex(2);
  window->SelComPort_Click();
  EXPECT_TRUE(tcpLabel.isHidden());
  EXPECT_TRUE(window->SelBaud->isEnabled());
}

TEST_F(CommOptionsWindow, SlaveAddressChecks) {
  auto window = Open();
  for (const auto& [text, message] : {std::pair{"0", "ModBus Address should be between 1-255"},
                                      std::pair{"256", "ModBus Address should be between 1-255"},
                                      std::pair{"0.5", "ModBus Address should be between 1-255"},
                                      std::pair{"255.5", "ModBus Address should be between 1-255"},
                                      std::pair{"abc", "ModBus Address incorrect"},
                                      std::pair{"", "ModBus Address incorrect"},
                                      std::pair{"1e400", "ModBus Address incorrect"},
                                      std::pair{"nan", "ModBus Address incorrect"}}) {
    dialogs.boxes.clear();
    window->SelMBid->setText(QString::fromLatin1(text));
    window->cmdApply_Click();
    ASSERT_EQ(dialogs.boxes.size(), 1u) << text;
    EXPECT_EQ(dialogs.boxes[0].text, QString::fromLatin1(message));
    EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("Incorrect Parameter"));
  }
  EXPECT_TRUE(openedPorts.empty());
  EXPECT_EQ(saves, 0);
}

TEST_F(CommOptionsWindow, AnAddressIsTakenOverWholeAndTheConnectionDropped) {
  auto window = Open();
  ChoosePort(*window, Port::Tcp);
  TypeAddress(*window, {"192", " 168", "1 ", "0"});
  window->SelMBid->setText(QStringLiteral("7"));
  window->cmdApply_Click();
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_EQ(comm.IPAddr, (std::array<std::uint8_t, 5>{192, 168, 1, 0, 0}));
  EXPECT_EQ(tcpCloses, 1);
  EXPECT_EQ(openedPorts, std::vector<int>({Port::Tcp}));
  EXPECT_EQ(comm.DevAddress, QStringLiteral("7"));
  EXPECT_EQ(saves, 1);
}

TEST_F(CommOptionsWindow, AnyBadOctetIsRefused) {
  for (const char* bad : {"256", "300", "x", "-4", "70000", "", "1.5", "1E2"}) {
    SCOPED_TRACE(bad);
    auto window = Open();
    ChoosePort(*window, Port::Tcp);
    TypeAddress(*window, {"192", "168", QString::fromLatin1(bad), "7"});
    window->SelMBid->setText(QStringLiteral("9"));
    ExpectRefused(*window, QStringLiteral("IP Hatalı Girildi"));
  }
}

// The serial lists are checked also for TCP; a refusal there must not have
// dropped the connection or changed the address before.
TEST_F(CommOptionsWindow, ARefusalAfterTheAddressChecksAppliesNothing) {
  auto window = Open();
  ChoosePort(*window, Port::Tcp);
  TypeAddress(*window, {"192", "168", "1", "7"});
  window->SelProt->setCurrentText(QStringLiteral("RTU"));
  window->SelParity->setCurrentText(QStringLiteral("Even"));
  ExpectRefused(*window, QStringLiteral("Cannot communicate with 7 bits in RTU mode!"));
}

// After a start without a configuration nothing is stored and the serial
// lists are blank.
TEST_F(CommOptionsWindow, BlankSerialListsAreRefusedForASerialPort) {
  comm = Communication();
  auto window = Open();
  EXPECT_EQ(window->SelBaud->currentIndex(), -1);
  window->SelMBid->setText(QStringLiteral("1"));
  ChoosePort(*window, 1);
  ExpectRefused(*window, QStringLiteral("Communication parameters not selected!"));
  window->SelBaud->setCurrentText(QStringLiteral("9600"));
  window->SelParity->setCurrentText(QStringLiteral("Even"));
  window->SelBits->setCurrentText(QStringLiteral("7 Bit"));
  ExpectRefused(*window, QStringLiteral("Communication parameters not selected!"));

  // TCP does not use them: the blank lists leave the stored text alone.
  ChoosePort(*window, Port::Tcp);
  window->SelBaud->setCurrentIndex(-1);
  dialogs.boxes.clear();
  window->cmdOK_Click();
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_EQ(openedPorts, std::vector<int>({Port::Tcp}));
  EXPECT_EQ(comm.PortSettings, QString());
}

TEST_F(CommOptionsWindow, APortOutsideTheListIsNoPortChosen) {
  for (int stored : {-1, 6, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}) {
    SCOPED_TRACE(stored);
    comm.IndPort = stored;
    auto window = Open();
    EXPECT_EQ(window->SelComPort->currentIndex(), -1);
    ExpectRefused(*window, QStringLiteral("Port not selected!"));
  }
}

TEST_F(CommOptionsWindow, RefusedSerialCombinations) {
  auto window = Open();
  auto tryCombination = [&](const char* protocol, const char* bits, const char* parity, const char* stops) {
    dialogs.boxes.clear();
    window->SelProt->setCurrentText(QString::fromLatin1(protocol));
    window->SelBits->setCurrentText(QString::fromLatin1(bits));
    window->SelParity->setCurrentText(QString::fromLatin1(parity));
    window->SelStops->setCurrentText(QString::fromLatin1(stops));
    window->cmdApply_Click();
    return dialogs.texts().join(QLatin1Char('|'));
  };
  EXPECT_EQ(tryCombination("ASCII", "7 Bit", "None", "1 Bit"),
            QStringLiteral("Communication parameters of 7 bits,noparity with 1 stop bit not supported by device!"));
  EXPECT_EQ(tryCombination("ASCII", "8 Bit", "Odd", "2 Bits"),
            QStringLiteral("Communication parameters of 8 bits, parity with 2 stop bits not supported by device!"));
  EXPECT_EQ(tryCombination("RTU", "7 Bit", "Even", "1 Bit"), QStringLiteral("Cannot communicate with 7 bits in RTU mode!"));
  EXPECT_TRUE(openedPorts.empty());
  EXPECT_EQ(tryCombination("RTU", "8 Bit", "None", "2 Bits"), QString());
  EXPECT_EQ(comm.PortSettings, QStringLiteral("9600,n,8,2"));
  EXPECT_EQ(comm.RTUMode, 1);
}

TEST_F(CommOptionsWindow, OkClosesOnlyWhenThePortOpened) {
  auto window = Open();
  window->show();
  portOpens = false;
  window->SelComPort->setCurrentIndex(3);
  window->cmdOK_Click();
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(openedPorts, std::vector<int>({3}));
  EXPECT_EQ(saves, 0);

  portOpens = true;
  window->cmdOK_Click();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->result(), QDialog::Accepted);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(comm.IndPort, 3);
}

TEST_F(CommOptionsWindow, EnterPressesNoButtonAndEscapeKeepsTheSettingsTheWindowOpenedWith) {
  auto window = Open();
  window->show();
  ChoosePort(*window, Port::Tcp);
  TypeAddress(*window, {"192", "168", "1", "9"});
  for (QWidget* field : std::initializer_list<QWidget*>{window->TxtIP[3], window->cmdApply}) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
  }
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(openedPorts.empty());
  EXPECT_EQ(saves, 0);
  QTest::keyClick(window->TxtIP[3], Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(comm.IPAddr, (std::array<std::uint8_t, 5>{10, 0, 0, 5, 0}));
  EXPECT_TRUE(tcpLed.isHidden()) << "the LED follows the serial port in use again";
}

TEST_F(CommOptionsWindow, CancelTakesNothingOver) {
  auto window = Open();
  window->SelMBid->setText(QStringLiteral("99"));
  window->SelComPort->setCurrentIndex(0);
  window->cmdCancel_Click();
  EXPECT_EQ(comm.DevAddress, QStringLiteral("1"));
  EXPECT_EQ(comm.IndPort, 1);
  EXPECT_TRUE(openedPorts.empty());
}

}  // namespace
}  // namespace vt
