#pragma once

#include <QDateTime>
#include <vector>

namespace vt {

// Slots of the sample buffer, and how many of them a live test and a record
// file use.
constexpr int kSampleSlots = 25001;
constexpr int kLiveSampleLimit = 5001;
// Index of the first sample of a test; slots 0 and 1 never hold samples.
constexpr int kFirstSampleSlot = 2;

// The graph module's program-wide variables.
struct Graphic {
  // Force samples in the indicator's unit; GraphSampleCount is the index of
  // the newest sample (a new test sets it to 1, its first sample lands at 2).
  std::vector<double> GraphSamples = std::vector<double>(kSampleSlots, 0.0);
  double GraphSampleCount = 0;

  // Thinning of a long test: once the live slots are full, every second
  // sample is dropped and only every SampleStride-th fed sample is stored
  // from then on, so the curve keeps covering the whole test at even steps.
  int SampleStride = 1;
  int SamplesToSkip = 0;  // fed samples still to drop before the next stored one

  QDateTime TestStart;
  QDateTime TestStop;
  double TestStartTick = 0;  // milliseconds of the monotonic clock

  double GraphAutoRange = 0;  // configuration lines 9 and 10; 1 after start-up
  double GraphShowGrid = 0;
  double GraphUnitFactor = 1.0;  // kg 1, Newton 9.80665002864, kNewton /1000
  double GraphUnitDP = 0;        // extra decimals of the graph unit

  bool NewTestPending = false;  // the break watch was seen off

  // Begins a new curve: the next stored sample lands at index 2. The buffer
  // itself is left as it is.
  void RestartCurve();

  // Stores every fed sample again, as at the start of a test; for a curve
  // whose count was set from elsewhere (a record read back).
  void ResetThinning();

  // Takes one fed sample of the curve. Returns false when thinning dropped it.
  // A full live buffer is halved first (keeping the first sample and every
  // second one after it), so the newest index never exceeds 5001.
  bool AppendSample(double value);

  // Index of the newest sample, within the buffer.
  int NewestIndex() const;

 private:
  void HalveSamples();
};

}  // namespace vt
