#include "station/PollCycle.h"

#include <cmath>

#include "settings/Formats.h"
#include "settings/NumberText.h"
#include "station/DateText.h"

namespace vt {

PollCycle::PollCycle(Program& program, TestPage& testPage, Leds& leds, MachinePanel& machinePanel,
                     QLabel* labCommTestVal, PollLink& link, TestCurve& curve)
    : program_(program),
      page_(testPage),
      leds_(leds),
      machine_(machinePanel),
      labCommTestVal_(labCommTestVal),
      link_(link),
      curve_(curve) {}

void PollCycle::Timer1_Timer() {
  page_.LabDate_->setText(GeneralDateText(program_.clock.Now()));
  RefreshLeds();
  if (link_.PortUsable() && program_.comm.PollEnabled) PollAndAnswer();
  CountDown();
}

void PollCycle::RefreshLeds() {
  if (++LedTickCount != kLedRefreshTicks) return;
  LedTickCount = 0;
  const std::int32_t status = PollRegs[3];
  const std::int32_t testState = PollRegs[5];
  for (int i = 0; i < int(page_.InputLed.size()); ++i) {
    leds_.BlinkControl(false, (status & (1 << (kFirstInputBit + i))) != 0, page_.InputLed[i]);
  }
  const bool breakWatch = (testState & kBreakWatchBit) != 0;
  leds_.BlinkControl(false, breakWatch, page_.HOLDRUN);
  if (!breakWatch) program_.graphic.NewTestPending = true;
  leds_.BlinkControl(false, (testState & kBreakObservedBit) != 0, page_.holdOK);
  leds_.BlinkPhase = !leds_.BlinkPhase;
}

void PollCycle::PollAndAnswer() {
  Communication& comm = program_.comm;
  if (!comm.TxnBusy) {
    if (comm.WaitLine == 0) {
      link_.SendRequest(comm.DevAddressNumber(), kPollBody, kPollAnswerLength);
    } else {
      nop();
    }
  }
  if (comm.RespDone) {
    // A bad answer leaves the registers as they were; they are shown again.
    link_.ParseResponse(PollRegs);
    Decode();
    comm.RespDone = false;
    comm.TxnBusy = false;
  } else if (comm.TimedOut) {
    link_.AbandonRequest();
    comm.LinkOK = false;
    comm.TxnBusy = false;
    comm.TimedOut = false;
    comm.RespDone = false;
    comm.TickCount = 0;
  }
}

void PollCycle::Decode() {
  Global& global = program_.global;
  const Graphic& graphic = program_.graphic;
  global.DispDP = (PollRegs[3] & kDecimalsMask) / 256;
  const double divisor = std::pow(10.0, global.DispDP);

  const std::int32_t live = Regs2Long(PollRegs[9], PollRegs[8]);
  page_.LabDispData->setText(FormatDec(live / divisor, global.DispDP));
  labCommTestVal_->setText(page_.LabDispData->text());

  if (!global.RecordLoaded) {
    const std::int32_t hold = Regs2Long(PollRegs[11], PollRegs[10]);
    const int holdDecimals = static_cast<int>(std::lround(global.DispDP + graphic.GraphUnitDP));
    page_.labHoldVal->setText(FormatDec(hold * graphic.GraphUnitFactor / divisor, holdDecimals));
    page_.labEncoder->setText(PlainNumber(PollRegs[6]));
  }

  // A test runs while the LEDs show the break watch on and no break, as of
  // their last refresh.
  if (leds_.IsOn(page_.HOLDRUN) && leds_.IsOff(page_.holdOK)) {
    TrackGap();
    curve_.UpdateTestGraph();
    global.RecordLoaded = false;
  }
}

void PollCycle::TrackGap() {
  // The pre-load is entered in the indicator's unit, like the live value.
  if (Val(machine_.txtPreLoading->text()) > Val(page_.LabDispData->text())) {
    program_.global.GapValue = Val(page_.labEncoder->text());
    page_.labGap->setText(PlainNumber(program_.global.GapValue));
  }
}

void PollCycle::CountDown() {
  Communication& comm = program_.comm;
  // The time-out runs from the request's last byte: while a request is
  // still going out on a slow line (TxActive) it is not counted, so a tick
  // can neither time it out nor send another one into it.
  if (comm.TxActive == 0) {
    if (comm.TickCount > kTimeOutTicks) {
      comm.TimedOut = true;
    } else {
      ++comm.TickCount;
    }
  }
  if (comm.CmdTimer > 0) --comm.CmdTimer;
}

}  // namespace vt
