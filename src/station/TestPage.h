#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "platform/LedImage.h"
#include "station/GraphBox.h"
#include "station/Program.h"

namespace vt {

// The "Test" tab: the test information, the live read-outs, the status LEDs,
// the test curve and the test buttons.
class TestPage : public QWidget {
  Q_OBJECT
 public:
  explicit TestPage(Program& program, QWidget* parent = nullptr);

  // Test information.
  QLabel* labCustomerName;
  QLabel* labProductName;
  QLabel* labLokeysin;
  QLabel* labDimenW;
  QLabel* labDimenH;
  QLabel* labDimenL;
  QLabel* labTemperature;
  QLabel* labTemperatureC;
  QLabel* LabHumidity;
  QLabel* labHumidityRH;
  QLineEdit* txtCustomerName;
  QLineEdit* txtProductName;
  QLineEdit* txtLocation;
  QLineEdit* txtDimensionW;
  QLineEdit* txtDimensionH;
  QLineEdit* txtDimensionL;
  QLineEdit* txtTemperature;
  QLineEdit* txtHumidity;

  // Read-outs.
  QLabel* LabDate_;
  QLabel* LabDispData;
  QLabel* labHoldValT;
  QLabel* labHoldVal;
  QLabel* labTensileUnit;
  QLabel* labEncoder;
  QLabel* labGap;
  QLabel* labDistanceT;
  QLabel* labDistance;
  QLabel* labTestDistance;
  QLabel* labDisplacementSpeedT;
  QLabel* labDisplacementSpeed;
  QLabel* labResultTimePassSecondsT;
  QLabel* labResultTimePassSeconds;
  QLabel* labTestStartT;
  QLabel* labTestStart;
  QLabel* labTestStopT;
  QLabel* labTestStop;
  QLabel* labMeasUnit;
  QComboBox* graphUnit;
  QLabel* labHatve;
  QLineEdit* txtStepVal;  // hidden: millimetres per encoder count

  // Status LEDs.
  std::array<LedImage*, 4> InputLed;
  LedImage* HOLDRUN;
  QLabel* labKopmaIzlemeAktif;
  LedImage* holdOK;
  QLabel* labKopmaIzlendi;
  LedImage* IndComRxHome;
  LedImage* IndTCPConOK;
  QLabel* labTCPCOn;

  // Test curve.
  GraphBox* Graph;
  QLabel* GraphMax;
  QLabel* GraphMin;
  std::array<QLabel*, 5> LabTimeLog;

  // Test run and PLC.
  QPushButton* cmdPLCPrepare;
  QPushButton* cmdStart;
  QPushButton* cmdStop;
  QLabel* labMotorSpeed;
  QLineEdit* txtPLCSpeed;
  QLabel* labPLCParDet;

  // Records and reports.
  QPushButton* cmdSaveTestOnly;
  QPushButton* cmdPrint;
  QPushButton* browseOlds;
  QPushButton* cmdExit;

  // The eight text boxes of the test information.
  std::array<QLineEdit*, 8> TestInfoBoxes() const;

  // Selects the whole text of a box, so that typing replaces the entry.
  static void SelectAllText(QLineEdit* tb);

  // Places the time-axis labels and the minimum label from the graph's size;
  // runs again whenever the graph is resized.
  void PlaceGraphLabels();

  void graphUnit_Click();
  void graphUnit_Change();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Program& program_;
};

}  // namespace vt
