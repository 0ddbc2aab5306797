#pragma once

#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <cstdint>
#include <optional>
#include <span>

#include "link/IndicatorLink.h"
#include "platform/ScriptedDialogs.h"
#include "platform/WaitFor.h"
#include "support/ProgramFolder.h"

namespace vt::test {

// An indicator link with its own program folder, LEDs, scripted dialogs
// and poll timer, for driving the link as the main window does.
class LinkRig {
 public:
  explicit LinkRig(quint16 tcpPort = IndicatorLink::kModbusTcpPort, bool startTimers = false);

  ProgramFolder folder{false};
  QPixmap onPicture{8, 8};
  QPixmap offPicture{8, 8};
  Leds leds{onPicture, offPicture};
  ScriptedDialogs dialogs;
  Communication comm;
  QTimer pollTimer;
  LedImage IndComTx, IndComRx, IndComRxHome, IndTCPConOK;
  QLabel labTCPCOn, LabTracer;
  IndicatorLink link;

  // Sets a serial link of the given mode and settings and opens COMn.
  bool OpenSerial(int portNumber, bool rtu, const QString& settings = QStringLiteral("9600,n,8,1"));
  // Sets 127.0.0.1 as the indicator's address, opens the TCP link and
  // waits until it is connected.
  bool OpenTcp();

  // Runs the event loop until the answer is complete or timed out, counting
  // the time-out on a timer as the poll timer does. True when it came.
  bool AwaitAnswer(int tickMs = 20);
  // One whole request: send, wait, and parse unless it timed out (then the
  // request is abandoned as callers do). Nothing when it timed out.
  std::optional<bool> Transact(int address, const QString& body, int expectedLen, std::span<std::int32_t> values,
                               int tickMs = 20);
};

}  // namespace vt::test
