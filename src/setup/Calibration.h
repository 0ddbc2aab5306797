#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "link/CommandRegister.h"
#include "station/Program.h"

namespace vt {

// The calibration window: sets the indicator's zero and its span with a
// known load through the command register. It keeps no state and reads
// nothing back from the indicator; the register writes are not awaited. The
// buttons reach their handlers through the command queue.
class Calibration : public QDialog {
  Q_OBJECT
 public:
  Calibration(Program& program, CommandRegister& commands, QWidget* parent = nullptr);

  QGroupBox* Frame4;
  QLineEdit* txtCalVal;  // the known load in raw counts
  QPushButton* cmdSetZero;
  QPushButton* cmdCalibrate;
  QPushButton* cmdExit;
  std::array<QLabel*, 2> labStepVal{};

  void cmdSetZero_Click();
  void cmdCalibrate_Click();
  void cmdExit_Click();

 private:
  Program& program_;
  CommandRegister& commands_;
};

}  // namespace vt
