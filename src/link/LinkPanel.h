#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "platform/LedImage.h"

namespace vt {

// The link's controls on the settings tab: the options button, the
// transmit and receive lamps, the communication test read-out and the
// receive trace.
class LinkPanel : public QWidget {
  Q_OBJECT
 public:
  explicit LinkPanel(QWidget* parent = nullptr);

  QPushButton* cmdConn;
  LedImage* IndComTx;
  LedImage* IndComRx;
  QLabel* labCommTestVal;
  QLabel* LabTracer;
};

}  // namespace vt
