#pragma once

#include "link/Leds.h"
#include "station/Program.h"
#include "station/TestPage.h"

namespace vt {

// The once-a-second work of a running test: the elapsed time, the labels of
// the graph's time axis and the test's stop time.
class ElapsedTime {
 public:
  ElapsedTime(Program& program, TestPage& testPage, Leds& leds);

  // Refreshes while the LEDs show the break watch on and no break, as the
  // curve feed of the poll cycle tests them.
  void secTmr_Timer();

  // TestStop := now; the seconds since the test's start tick in
  // labResultTimePassSeconds and spread over the five time-axis labels.
  void graphRefresh();

 private:
  Program& program_;
  TestPage& page_;
  Leds& leds_;
};

}  // namespace vt
