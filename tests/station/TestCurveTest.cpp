#include "station/TestCurve.h"

#include <QApplication>

#include "StationFixture.h"
#include "settings/NumberText.h"
#include "station/DateText.h"

namespace vt::test {
namespace {

// The curve's maximum lies 50 layout units, at 15 to a pixel, below the top.
constexpr double kTopMargin = 50.0 / 15;

struct TestCurveTest : StationFixture {
  TestCurveTest() {
    program.comm.LinkOK = true;
    program.global.DispDP = 1;
    // As the start button leaves the buffer.
    Graphic& graphic = program.graphic;
    graphic.RestartCurve();
    std::fill_n(graphic.GraphSamples.begin(), kLiveSampleLimit, -50.0);
  }

  void Feed(double value) {
    testPage.LabDispData->setText(PlainNumber(value));
    curve.UpdateTestGraph();
  }

  int Width() const { return testPage.Graph->ScaleWidth(); }
  int Height() const { return testPage.Graph->ScaleHeight(); }
};

TEST_F(TestCurveTest, FirstSampleIsShownAsTheRangeWithoutACurve) {
  curve.DrawGraphGrid();  // as start-up draws it
  EXPECT_EQ(testPage.Graph->Picture().pixel(Width() / 10, 5), qRgb(228, 228, 228)) << "start-up's grid";
  Feed(12.5);
  EXPECT_EQ(program.graphic.GraphSampleCount, 2);
  EXPECT_EQ(program.graphic.GraphSamples[2], 12.5);
  EXPECT_EQ(testPage.GraphMax->text(), QStringLiteral("12.5"));
  EXPECT_EQ(testPage.GraphMin->text(), QStringLiteral("12.5"));
  EXPECT_FALSE(RedRows());
  EXPECT_EQ(testPage.Graph->Picture().pixel(Width() / 10, 5), qRgb(228, 228, 228)) << "the grid is drawn";
  EXPECT_EQ(testPage.Graph->Picture().pixel(Width() / 20, 5), qRgb(255, 255, 255));
}

TEST_F(TestCurveTest, TwoEqualSamplesGiveAFlatLineAtMidHeight) {
  Feed(7);
  Feed(7);
  EXPECT_EQ(program.graphic.GraphSampleCount, 3);
  EXPECT_TRUE(RedNear(0, Height() / 2));
  EXPECT_TRUE(RedNear(Width() / 2, Height() / 2));
  EXPECT_TRUE(RedNear(Width() - 1, Height() / 2));
  const auto rows = RedRows();
  ASSERT_TRUE(rows);
  EXPECT_GE(rows->first, Height() / 2 - 2);
  EXPECT_LE(rows->second, Height() / 2 + 2);
}

TEST_F(TestCurveTest, CurveRunsFromTheFirstToTheNewestSampleWithinTheBox) {
  for (double v : {0.0, 10.0, 20.0, 30.0}) Feed(v);
  EXPECT_EQ(program.graphic.GraphSampleCount, 5);
  EXPECT_EQ(testPage.GraphMax->text(), QStringLiteral("30.0"));
  EXPECT_EQ(testPage.GraphMin->text(), QStringLiteral("0.0"));
  const int w = Width();
  const int h = Height();
  // The minimum on the bottom edge, the maximum just below the top, evenly spaced.
  EXPECT_TRUE(RedNear(0, h - 1));
  EXPECT_TRUE(RedNear(w / 3, int(h - (h - kTopMargin) / 3)));
  EXPECT_TRUE(RedNear(2 * w / 3, int(h - 2 * (h - kTopMargin) / 3)));
  EXPECT_TRUE(RedNear(w - 1, int(kTopMargin)));
  const auto rows = RedRows();
  ASSERT_TRUE(rows);
  EXPECT_GE(rows->first, int(kTopMargin) - 1) << "nothing above the newest sample";
  EXPECT_GT(RedPixels(w - 1), 0);
}

TEST_F(TestCurveTest, DenseNoisyCurveIsDrawnUnbrokenAcrossTheBox) {
  Graphic& graphic = program.graphic;
  for (int i = 0; i < 4999; ++i) graphic.GraphSamples[kFirstSampleSlot + i] = 100 + (i * 7919) % 61 + i / 50.0;
  graphic.GraphSampleCount = kFirstSampleSlot + 4998;
  Feed(0);  // the lowest sample, newest, on the bottom edge at the right
  EXPECT_EQ(graphic.GraphSampleCount, kLiveSampleLimit);
  for (int x = 0; x < Width(); ++x) ASSERT_GT(RedPixels(x), 0) << "column " << x;
  EXPECT_TRUE(RedNear(Width() - 1, Height() - 1));
  const auto rows = RedRows();
  ASSERT_TRUE(rows);
  EXPECT_LE(rows->first, int(kTopMargin) + 1);
  EXPECT_GE(rows->first, int(kTopMargin) - 1);
}

// A graph shrunk with its window shows the curve on show again at its new
// size, even after a start refilled the buffer, with its labels placed anew.
TEST_F(TestCurveTest, AShrunkGraphShowsTheSameCurveAndItsLabelsAtItsNewSize) {
  for (double v : {0.0, 10.0, 20.0, 30.0}) Feed(v);
  std::fill_n(program.graphic.GraphSamples.begin(), kLiveSampleLimit, -50.0);
  testPage.show();
  testPage.resize(testPage.minimumSizeHint());
  QApplication::processEvents();
  const int w = Width();
  const int h = Height();
  EXPECT_EQ(QSize(w, h), testPage.Graph->minimumSize());
  EXPECT_TRUE(RedNear(0, h - 1));
  EXPECT_TRUE(RedNear(w / 3, int(h - (h - kTopMargin) / 3)));
  EXPECT_TRUE(RedNear(w - 1, int(kTopMargin)));
  EXPECT_EQ(testPage.GraphMin->y(), h - 17);
  EXPECT_EQ(testPage.LabTimeLog[0]->pos(), QPoint(w - 83, h + 2));
  EXPECT_EQ(testPage.LabTimeLog[4]->pos(), QPoint(0, h + 2));
  EXPECT_LT(testPage.GraphMin->geometry().bottom(), testPage.LabTimeLog[4]->y());  // the labels do not overlap
}

TEST_F(TestCurveTest, RangeIsShownInTheGraphUnit) {
  testPage.graphUnit->setCurrentIndex(2);  // kNewton
  testPage.graphUnit_Click();
  Feed(10.0);
  Feed(20.0);
  EXPECT_EQ(testPage.GraphMax->text(), QStringLiteral("0.1961"));
  EXPECT_EQ(testPage.GraphMin->text(), QStringLiteral("0.0981"));
}

TEST_F(TestCurveTest, DistanceAndSpeedComeFromTheEncoderGapAndElapsedTime) {
  testPage.labGap->setText(QStringLiteral("100"));
  testPage.labEncoder->setText(QStringLiteral("1100"));
  testPage.labResultTimePassSeconds->setText(QStringLiteral(" ----"));
  testPage.labDisplacementSpeed->setText(QStringLiteral(" ----"));
  Feed(1);
  EXPECT_EQ(testPage.labTestDistance->text(), QStringLiteral("1100"));
  EXPECT_EQ(testPage.labDistance->text(), QStringLiteral("13.8888"));
  EXPECT_EQ(testPage.labDisplacementSpeed->text(), QStringLiteral(" ----")) << "no elapsed time yet";

  testPage.labResultTimePassSeconds->setText(QStringLiteral("10"));
  Feed(1);
  EXPECT_EQ(testPage.labDisplacementSpeed->text(), QStringLiteral("91.666"));
}

TEST_F(TestCurveTest, LiveTestShowsItsStartAndStopTimes) {
  program.graphic.TestStart = QDateTime(QDate(2026, 3, 5), QTime(9, 0, 5));
  program.graphic.TestStop = QDateTime(QDate(2026, 3, 5), QTime(9, 1, 15));
  Feed(1);
  EXPECT_EQ(testPage.labTestStart->text(), QStringLiteral("05.03.2026 09:00:05"));
  EXPECT_EQ(testPage.labTestStop->text(), QStringLiteral("05.03.2026 09:01:15"));
}

TEST_F(TestCurveTest, NothingChangesWhileTheLinkIsDown) {
  Feed(3);
  program.comm.LinkOK = false;
  const QImage before = testPage.Graph->Picture();
  Feed(4);
  EXPECT_EQ(program.graphic.GraphSampleCount, 2);
  EXPECT_EQ(testPage.GraphMax->text(), QStringLiteral("3.0"));
  EXPECT_EQ(testPage.Graph->Picture(), before);
}

TEST_F(TestCurveTest, StoredTestIsDrawnWithTheLinkDownAndKeepsItsDates) {
  program.comm.LinkOK = false;
  program.global.RecordLoaded = true;
  program.graphic.NewTestPending = true;
  testPage.labTestStart->setText(QStringLiteral("01.02.2026 10:00:00"));
  Feed(5);
  Feed(6);
  EXPECT_EQ(program.graphic.GraphSampleCount, 3);
  EXPECT_TRUE(program.graphic.NewTestPending) << "a stored test is not restarted";
  EXPECT_EQ(testPage.labTestStart->text(), QStringLiteral("01.02.2026 10:00:00"));
  EXPECT_TRUE(RedRows());
}

// A stored test's last line beyond a double's range reads as an infinity:
// the range spans everything, so the other samples lie on the bottom edge.
TEST_F(TestCurveTest, AReadingBeyondADoublesRangeLeavesTheOtherSamplesOnTheBottomEdge) {
  Feed(0);
  Feed(10);
  testPage.LabDispData->setText(QStringLiteral("1e400"));
  curve.UpdateTestGraph();
  EXPECT_EQ(program.graphic.GraphSampleCount, 4);
  EXPECT_TRUE(RedNear(0, Height() - 1));
  EXPECT_TRUE(RedNear(Width() / 2, Height() - 1));
  const auto rows = RedRows();
  ASSERT_TRUE(rows);
  EXPECT_GE(rows->first, Height() - 3);
}

TEST_F(TestCurveTest, BreakWatchSeenOffRestartsTheCurveWithoutClearingIt) {
  for (double v : {1.0, 2.0, 3.0}) Feed(v);
  clock.Advance(5000);
  program.graphic.NewTestPending = true;
  Feed(9);
  const Graphic& graphic = program.graphic;
  EXPECT_EQ(graphic.GraphSampleCount, 2);
  EXPECT_EQ(graphic.GraphSamples[2], 9);
  EXPECT_EQ(graphic.GraphSamples[3], 2) << "the old samples stay in the buffer";
  EXPECT_FALSE(graphic.NewTestPending);
  EXPECT_EQ(graphic.TestStart, clock.Now());
  EXPECT_EQ(graphic.TestStartTick, clock.TickMs());
  EXPECT_EQ(testPage.GraphMax->text(), QStringLiteral("9.0"));
}

TEST_F(TestCurveTest, FullLiveBufferIsThinnedNotFlattened) {
  // A test of 5000 samples, 0 to 4999, fills slots 2 to 5001.
  Graphic& graphic = program.graphic;
  for (int i = 0; i < 5000; ++i) graphic.GraphSamples[kFirstSampleSlot + i] = i;
  graphic.GraphSampleCount = kLiveSampleLimit;
  Feed(5000);
  EXPECT_EQ(graphic.GraphSampleCount, 2502);
  EXPECT_EQ(graphic.GraphSamples[2], 0);
  EXPECT_EQ(graphic.GraphSamples[3], 2);
  EXPECT_EQ(graphic.GraphSamples[2501], 4998);
  EXPECT_EQ(graphic.GraphSamples[2502], 5000);
  EXPECT_EQ(testPage.GraphMax->text(), QStringLiteral("5000.0"));
  EXPECT_EQ(testPage.GraphMin->text(), QStringLiteral("0.0"));
  EXPECT_TRUE(RedNear(0, Height() - 1));
  EXPECT_TRUE(RedNear(Width() - 1, int(kTopMargin)));

  Feed(5001);  // dropped: every second sample from now on
  EXPECT_EQ(graphic.GraphSampleCount, 2502);
  Feed(5002);
  EXPECT_EQ(graphic.GraphSampleCount, 2503);
  EXPECT_EQ(graphic.GraphSamples[2503], 5002);
}

}  // namespace
}  // namespace vt::test
