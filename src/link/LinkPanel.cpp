#include "link/LinkPanel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "platform/Controls.h"

namespace vt {

LinkPanel::LinkPanel(QWidget* parent) : QWidget(parent) {
  cmdConn = Named(new QPushButton(QStringLiteral("Haberleşme Ayarları")), "cmdConn");
  IndComTx = Named(new LedImage, "IndComTx");
  IndComRx = Named(new LedImage, "IndComRx");
  labCommTestVal = Named(new QLabel, "labCommTestVal");
  labCommTestVal->setFrameShape(QFrame::Panel);
  labCommTestVal->setFrameShadow(QFrame::Sunken);
  labCommTestVal->setMinimumWidth(120);
  LabTracer = Named(new QLabel, "LabTracer");

  auto* frame = new QGroupBox(QStringLiteral("Haberleşme"));
  auto* grid = new QGridLayout(frame);
  grid->addWidget(cmdConn, 0, 0, 1, 2);
  grid->addWidget(IndComTx, 1, 0);
  grid->addWidget(new QLabel(QStringLiteral("Tx")), 1, 1);
  grid->addWidget(IndComRx, 2, 0);
  grid->addWidget(new QLabel(QStringLiteral("Rx")), 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("Haberleşme Testi")), 3, 0, 1, 2);
  grid->addWidget(labCommTestVal, 4, 0, 1, 2);
  grid->addWidget(LabTracer, 5, 0, 1, 2);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(frame);
}

}  // namespace vt
