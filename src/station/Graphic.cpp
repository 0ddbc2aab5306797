#include "station/Graphic.h"

#include <algorithm>

namespace vt {

void Graphic::RestartCurve() {
  GraphSampleCount = kFirstSampleSlot - 1;
  ResetThinning();
}

void Graphic::ResetThinning() {
  SampleStride = 1;
  SamplesToSkip = 0;
}

int Graphic::NewestIndex() const {
  return std::clamp(static_cast<int>(GraphSampleCount), kFirstSampleSlot - 1, kSampleSlots - 1);
}

bool Graphic::AppendSample(double value) {
  if (SamplesToSkip > 0) {
    --SamplesToSkip;
    return false;
  }
  while (NewestIndex() >= kLiveSampleLimit) HalveSamples();
  GraphSampleCount = NewestIndex() + 1;
  GraphSamples[static_cast<int>(GraphSampleCount)] = value;
  SamplesToSkip = SampleStride - 1;
  return true;
}

void Graphic::HalveSamples() {
  // Sample i of the curve (at slot 2 + i) was fed as sample i x stride of the
  // test; keeping the even ones leaves the multiples of twice the stride.
  const int newest = NewestIndex();
  int kept = kFirstSampleSlot;
  for (int slot = kFirstSampleSlot; slot <= newest; slot += 2) GraphSamples[kept++] = GraphSamples[slot];
  GraphSampleCount = kept - 1;
  SampleStride *= 2;
}

}  // namespace vt
