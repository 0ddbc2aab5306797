#pragma once

#include <QDateTime>
#include <vector>

namespace vt {

// Slots of the sample buffer, and how many of them a live test and a record
// file use.
constexpr int kSampleSlots = 25001;
constexpr int kLiveSampleLimit = 5001;

// The graph module's program-wide variables.
struct Graphic {
  // Force samples in the indicator's unit; GraphSampleCount is the index of
  // the newest sample (a new test sets it to 1, its first sample lands at 2).
  std::vector<double> GraphSamples = std::vector<double>(kSampleSlots, 0.0);
  double GraphSampleCount = 0;

  QDateTime TestStart;
  QDateTime TestStop;
  double TestStartTick = 0;  // milliseconds of the monotonic clock

  double GraphAutoRange = 0;  // configuration lines 9 and 10; 1 after start-up
  double GraphShowGrid = 0;
  double GraphUnitFactor = 1.0;  // kg 1, Newton 9.80665002864, kNewton /1000
  double GraphUnitDP = 0;        // extra decimals of the graph unit

  bool NewTestPending = false;  // the break watch was seen off
};

}  // namespace vt
