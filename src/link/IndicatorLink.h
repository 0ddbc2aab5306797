#pragma once

#include <QObject>
#include <QTimer>

#include "link/Communication.h"
#include "link/Leds.h"
#include "platform/Dialogs.h"

namespace vt {

// The main window's controls that the link drives.
struct LinkControls {
  LedImage* IndComTx = nullptr;
  LedImage* IndComRx = nullptr;
  LedImage* IndComRxHome = nullptr;
  LedImage* IndTCPConOK = nullptr;
  QLabel* labTCPCOn = nullptr;
  QLabel* LabTracer = nullptr;
};

// The Modbus master's link to the force indicator.
class IndicatorLink : public QObject {
  Q_OBJECT
 public:
  IndicatorLink(Communication& comm, Dialogs& dialogs, Leds& leds, const LinkControls& controls,
                QTimer& pollTimer, QString programFolder, quint16 tcpPort = 502);

  // Opens the link on port 0 (offline), 1 to 4 (COM1 to COM4) or 5 (TCP).
  bool OpenPort(int port);

  // (IndPort <> 0 and the serial port open) or IndPort = 5.
  bool PortUsable() const;

 private:
  Communication& comm_;
  Dialogs& dialogs_;
  Leds& leds_;
  LinkControls controls_;
  QTimer& pollTimer_;
  QString programFolder_;
  quint16 tcpPort_;
};

}  // namespace vt
