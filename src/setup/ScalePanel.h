#pragma once

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <array>

#include "setup/ParameterMap.h"

namespace vt {

// Panel 1 of the indicator's parameters: the frames "Scale Specifications",
// "View" and "Advanced". The scale summary follows every edit: one range or
// two, the number of divisions of each, the unit captions and the certified
// device's forced choices.
class ScalePanel : public QWidget {
  Q_OBJECT
 public:
  explicit ScalePanel(QWidget* parent = nullptr);

  QComboBox* ScaleType;
  QComboBox* OptSteps1;
  QComboBox* OptSteps2;
  QLineEdit* OptRange1;
  QLineEdit* OptRange2;
  QLabel* e1lab;
  QLabel* e2Lab;
  QLabel* Max1lab;
  QLabel* Max2Lab;
  QLabel* Max1Unit;
  QLabel* Max2Unit;
  QLabel* N1Lab;
  QLabel* N2Lab;
  QLabel* N1;
  QLabel* N2;
  // Frame "View".
  QComboBox* OptDP;
  QComboBox* OptUnit;
  // Frame "Advanced"; elements 3 and 5 of Label50 caption the drift and
  // auto tare lists.
  QComboBox* OptAutoTare;
  QComboBox* OptInitialZero;
  QComboBox* OptDrift;
  QComboBox* OptCertified;
  std::array<QLabel*, 6> Label50{};

  // Fills the controls from a read, in the read's order, each list's click
  // handler running as its selection is set.
  void Show(const ScaleValues& values);
  ScaleValues Values() const;

  // The row of the capacity grid that OptRange2 stands on: 1 beside "Max:"
  // in the single-interval layout, 2 on its own row otherwise.
  int OptRange2Row() const;

  void ScaleType_Click() { UpdateScaleSummary(); }
  void OptDP_Click() { UpdateScaleSummary(); }
  void OptSteps1_Click() { UpdateScaleSummary(); }
  void OptSteps2_Click() { UpdateScaleSummary(); }
  void OptRange1_Change() { UpdateScaleSummary(); }
  void OptRange2_Change() { UpdateScaleSummary(); }
  void OptUnit_Click();
  void OptCertified_Click() { OptCertified_Change(); }
  void OptCertified_Change();
  void UpdateScaleSummary();

 private:
  void PlaceOptRange2(int row);

  QGridLayout* rangeGrid_;
};

}  // namespace vt
