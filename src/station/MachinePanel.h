#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <array>

namespace vt {

// The labels whose wording follows the machine type.
struct MachineTypeLabels {
  QLabel* labDistanceT;
  QLabel* labHoldValT;
  QLabel* labKopmaIzlendi;
  QLabel* labKopmaIzlemeAktif;
  QLabel* labTestAvgVals;
};

// The test station's controls on the settings tab: machine type, PLC port,
// pre-load and the operator commands to the indicator.
class MachinePanel : public QWidget {
  Q_OBJECT
 public:
  explicit MachinePanel(QWidget* parent = nullptr);

  QComboBox* SelMachineType;
  QComboBox* SelPLCComPort;
  QLabel* labPLCComm;
  QLineEdit* txtPreLoading;
  QPushButton* cmdSetZero;
  QPushButton* cmdFailReset;
  std::array<QPushButton*, 2> AppTare;  // element 1 is the tare button
  QPushButton* cmdPar2Ram;
  QPushButton* cmd2EEprom;
  QPushButton* Command1;  // "Kalibrasyon": the calibration password window

  void SetMachineTypeLabels(const MachineTypeLabels& labels) { machineTypeLabels_ = labels; }

  void SelMachineType_Click();
  void SelMachineType_Change();

 private:
  MachineTypeLabels machineTypeLabels_{};
};

}  // namespace vt
