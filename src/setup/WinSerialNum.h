#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "station/Program.h"

namespace vt {

// The device serial-number window: checks the new serial number and keeps
// it in the serial-number file. Nothing is sent to the indicator.
class WinSerialNum : public QDialog {
  Q_OBJECT
 public:
  explicit WinSerialNum(Program& program, QWidget* parent = nullptr);

  std::array<QLabel*, 1> lblLabels{};
  QLineEdit* SerialNum;
  QPushButton* cmdOK;      // "Update", the default button
  QPushButton* cmdCancel;  // "Cancel", the cancel button

  // Stores an accepted entry and closes, also when the file could not be
  // written; a refused entry leaves the window open as typed.
  void cmdOK_Click();
  void cmdCancel_Click();

 private:
  Program& program_;
};

}  // namespace vt
