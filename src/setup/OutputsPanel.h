#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include "setup/ParameterMap.h"

namespace vt {

// Panel 2 of the indicator's parameters: the frames "Relay outputs" (set
// points, their bases and actions, the relay delay) and "Analog Output".
class OutputsPanel : public QWidget {
  Q_OBJECT
 public:
  explicit OutputsPanel(QWidget* parent = nullptr);

  QLineEdit* SetPoint1;
  QLineEdit* SetPoint2;
  QComboBox* Relay1Fn;
  QComboBox* Relay2Fn;
  QComboBox* SP1gross;
  QComboBox* SP2gross;
  QLineEdit* RLDelay;
  QLineEdit* AnaFrom;
  QLineEdit* AnaTo;
  QComboBox* Gross420;
  QLineEdit* AnaMax;

  // Fills the controls from a read, in the read's order.
  void Show(const OutputsValues& values);
  // What the controls hold; a count box that still shows what the last read
  // put there carries that read's count.
  OutputsValues Values() const;

 private:
  OutputsValues read_;
};

}  // namespace vt
