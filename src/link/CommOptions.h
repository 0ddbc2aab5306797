#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "link/Communication.h"
#include "platform/CommandQueue.h"
#include "platform/Dialogs.h"

namespace vt {

// What the options window asks of the rest of the program.
struct CommOptionsActions {
  std::function<bool(int port)> openPort;  // reopens the link; true when it opened
  std::function<void()> closeTcp;          // drops the TCP connection so the watchdog reconnects
  std::function<void()> saveConfig;        // writes the configuration file
  QLabel* labTCPCOn = nullptr;             // the main window's TCP LED and its label
  QWidget* IndTCPConOK = nullptr;
};

// "Communication Options": port, Modbus framing, serial settings, slave
// address and the indicator's IP address. The buttons reach their handlers
// through the command queue; Enter presses none of them.
class CommOptions : public QDialog {
  Q_OBJECT
 public:
  CommOptions(Communication& comm, CommandQueue& queue, Dialogs& dialogs, CommOptionsActions actions,
              QWidget* parent = nullptr);

  QComboBox* SelComPort;
  QComboBox* SelProt;
  QComboBox* SelBaud;
  QComboBox* SelParity;
  QComboBox* SelBits;
  QComboBox* SelStops;
  QLineEdit* SelMBid;
  std::array<QLineEdit*, 4> TxtIP;
  QLabel* LabIp;
  QPushButton* cmdApply;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

  void SelComPort_Click();
  void ShowPortFields();
  bool ChkParam();
  void PickInfo();
  void cmdApply_Click();
  void cmdOK_Click();
  void cmdCancel_Click();
  void reject() override;

 private:
  // An octet text: a whole number 0 to 255, blanks around it allowed.
  static std::optional<std::uint8_t> OctetOf(const QString& text);
  bool chkIP(const QString& inText);
  void ShowTcpLed(bool shown);
  bool TcpChosen() const;
  bool SerialSettingsChosen() const;
  void Form_Load();
  bool ApplySettings();
  void Reject(const QString& message);

  Communication& comm_;
  Dialogs& dialogs_;
  CommOptionsActions actions_;
};

}  // namespace vt
