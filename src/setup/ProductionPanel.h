#pragma once

#include <QComboBox>
#include <QLabel>
#include <QWidget>

#include "setup/ParameterMap.h"

namespace vt {

// Panel 0 of the indicator's parameters, frame "Production": the production
// date (enabled only in service mode) and the firmware version.
class ProductionPanel : public QWidget {
  Q_OBJECT
 public:
  explicit ProductionPanel(QWidget* parent = nullptr);

  QComboBox* PDDay;
  QComboBox* PDMon;
  QComboBox* PDYear;
  QLabel* FWare;

  // Fills the date lists from a read and shows the firmware caption.
  void Show(const ProductionValues& values, const QString& firmware);
  // What the lists hold; the year list carries the year of the last read
  // while it still shows what that read put there.
  ProductionValues Values() const;

 private:
  ProductionValues read_;
};

}  // namespace vt
