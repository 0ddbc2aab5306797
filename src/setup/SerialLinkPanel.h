#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "setup/ParameterMap.h"

namespace vt {

// Panel 3 of the indicator's parameters: the indicator's own serial port,
// frames "Frame Parameters" and "ModBus Parameters" with the fixed note on
// address 0. Picking a baud rate suggests a response delay and time-out.
class SerialLinkPanel : public QWidget {
  Q_OBJECT
 public:
  explicit SerialLinkPanel(QWidget* parent = nullptr);

  QComboBox* SelBaud;
  QComboBox* SelParity;
  QComboBox* SelBits;
  QComboBox* SelStops;
  QLineEdit* SelDelay;
  QLineEdit* SelTout;
  QLineEdit* SelMBid;
  QComboBox* SelProt;
  QLabel* Label7;

  // Fills the controls from a read, in the read's order: the baud list's
  // suggestion is replaced by the delay and time-out read.
  void Show(const SerialLinkValues& values);
  // What the controls hold; the delay and time-out boxes carry the raw
  // counts of the last read while they and the baud rate are as read.
  SerialLinkValues Values() const;

  void SelBaud_Click() { SelBaud_Change(); }
  void SelBaud_Change();

 private:
  SerialLinkValues read_;
};

}  // namespace vt
