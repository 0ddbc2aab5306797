#include "station/Graphic.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

// Checks that the curve holds the fed samples 0, s, 2s, ... up to the newest
// multiple of the stride s, each stored as its own sample number.
void ExpectEvenlySpaced(const Graphic& graphic, int fed) {
  const int stride = graphic.SampleStride;
  const int newest = static_cast<int>(graphic.GraphSampleCount);
  ASSERT_LE(newest, kLiveSampleLimit);
  for (int slot = kFirstSampleSlot; slot <= newest; ++slot) {
    ASSERT_EQ(graphic.GraphSamples[slot], double(slot - kFirstSampleSlot) * stride) << "slot " << slot;
  }
  EXPECT_EQ(graphic.GraphSamples[newest], double((fed - 1) / stride * stride)) << "newest stored sample";
}

TEST(GraphicTest, LongTestKeepsItsWholeCurveAtEvenSteps) {
  Graphic graphic;
  graphic.RestartCurve();
  int fed = 0;
  for (int total : {5000, 5001, 5002, 10000, 10001, 10003, 47000}) {
    for (; fed < total; ++fed) graphic.AppendSample(fed);
    SCOPED_TRACE(total);
    ExpectEvenlySpaced(graphic, fed);
  }
  EXPECT_EQ(graphic.SampleStride, 16);
  EXPECT_GT(graphic.GraphSampleCount, kLiveSampleLimit / 2);
}

TEST(GraphicTest, SamplesBelowTheLimitAreAllKept) {
  Graphic graphic;
  graphic.RestartCurve();
  for (int i = 0; i < 5000; ++i) EXPECT_TRUE(graphic.AppendSample(i));
  EXPECT_EQ(graphic.GraphSampleCount, kLiveSampleLimit);
  EXPECT_EQ(graphic.SampleStride, 1);
  EXPECT_EQ(graphic.GraphSamples[0], 0);
  EXPECT_EQ(graphic.GraphSamples[1], 0) << "slots 0 and 1 hold no samples";
}

TEST(GraphicTest, NewCurveStoresEverySampleAgain) {
  Graphic graphic;
  graphic.RestartCurve();
  for (int i = 0; i < 12000; ++i) graphic.AppendSample(i);
  ASSERT_EQ(graphic.SampleStride, 4);
  graphic.RestartCurve();
  EXPECT_TRUE(graphic.AppendSample(-1));
  EXPECT_TRUE(graphic.AppendSample(-2));
  EXPECT_EQ(graphic.GraphSampleCount, 3);
  EXPECT_EQ(graphic.GraphSamples[3], -2);
}

TEST(GraphicTest, OversizedCountFromElsewhereIsThinnedIntoTheLiveSlots) {
  Graphic graphic;
  for (int slot = 0; slot < kSampleSlots; ++slot) graphic.GraphSamples[slot] = slot;
  graphic.GraphSampleCount = 30000;  // beyond the buffer: taken as its last slot
  EXPECT_TRUE(graphic.AppendSample(-7));
  EXPECT_LT(graphic.GraphSampleCount, kLiveSampleLimit + 1);
  EXPECT_EQ(graphic.GraphSamples[2], 2);
  EXPECT_EQ(graphic.GraphSamples[static_cast<int>(graphic.GraphSampleCount)], -7);
}

TEST(GraphicTest, CountBelowTheFirstSlotStillStoresAtTheFirstSlot) {
  Graphic graphic;  // count 0
  EXPECT_TRUE(graphic.AppendSample(4));
  EXPECT_EQ(graphic.GraphSampleCount, 2);
  EXPECT_EQ(graphic.GraphSamples[2], 4);
}

}  // namespace
}  // namespace vt
