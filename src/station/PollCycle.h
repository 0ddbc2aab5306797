#pragma once

#include <QLabel>
#include <array>
#include <cstdint>

#include "link/Leds.h"
#include "station/MachinePanel.h"
#include "station/PollLink.h"
#include "station/Program.h"
#include "station/TestCurve.h"
#include "station/TestPage.h"

namespace vt {

// The poll timer's work: on each tick the date, every tenth tick the status
// LEDs, the poll request for the indicator's twelve-register block, the
// decoding of its answer into the live read-outs, the feeding of the gap and
// the curve while a test runs, and the time-out and command countdowns that
// every wait of the link relies on.
class PollCycle {
 public:
  // Registers of the poll block: 3 status (bits 8-10 decimals, 12-15 inputs),
  // 5 test state (bit 8 break watch, bit 9 break observed), 6 encoder,
  // 8/9 live value low/high, 10/11 hold value low/high.
  static constexpr std::int32_t kDecimalsMask = 0x0700;
  static constexpr std::int32_t kBreakWatchBit = 0x0100;
  static constexpr std::int32_t kBreakObservedBit = 0x0200;
  static constexpr int kFirstInputBit = 12;
  static constexpr int kLedRefreshTicks = 10;
  static constexpr int kTimeOutTicks = 10;
  inline static const QString kPollBody = QStringLiteral("030000000C");  // function 03, 12 registers from 0
  static constexpr int kPollAnswerLength = 56;

  PollCycle(Program& program, TestPage& testPage, Leds& leds, MachinePanel& machinePanel, QLabel* labCommTestVal,
            PollLink& link, TestCurve& curve);

  // One tick of the poll timer.
  void Timer1_Timer();

  // Stands in for the poll request while a transaction waits for the line.
  void nop() {}

  // Holds the encoder count as the gap while the live value is below the
  // pre-load.
  void TrackGap();

  // The registers of the last decoded answer; a short answer leaves the
  // elements it does not reach as they were.
  std::array<std::int32_t, 51> PollRegs{};
  int LedTickCount = 0;

 private:
  void RefreshLeds();
  void PollAndAnswer();
  void Decode();
  void CountDown();

  Program& program_;
  TestPage& page_;
  Leds& leds_;
  MachinePanel& machine_;
  QLabel* labCommTestVal_;
  PollLink& link_;
  TestCurve& curve_;
};

}  // namespace vt
