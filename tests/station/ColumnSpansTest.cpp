#include "station/ColumnSpans.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(ColumnSpansTest, PointsOfOneColumnBecomeOneSpan) {
  const std::vector<QPointF> points = {{0.0, 5}, {0.4, 9}, {0.9, 1}, {1.0, 4}, {3.5, 7}, {3.7, 7}, {640.0, 2}};
  std::vector<ColumnSpan> spans{{{9, 9}, {9, 9}, 9, 9}};  // left over from a previous curve
  GatherColumnSpans(points, spans);
  ASSERT_EQ(spans.size(), 4u);

  EXPECT_EQ(spans[0].first, QPointF(0.0, 5));
  EXPECT_EQ(spans[0].last, QPointF(0.9, 1));
  EXPECT_EQ(spans[0].top, 1);
  EXPECT_EQ(spans[0].bottom, 9);

  EXPECT_EQ(spans[1].first, QPointF(1.0, 4));
  EXPECT_EQ(spans[1].last, QPointF(1.0, 4));
  EXPECT_EQ(spans[1].top, spans[1].bottom) << "a single point spans nothing";

  EXPECT_EQ(spans[2].first, QPointF(3.5, 7));
  EXPECT_EQ(spans[2].last, QPointF(3.7, 7));
  EXPECT_EQ(spans[3].first, QPointF(640.0, 2)) << "the right edge is a column of its own";
}

TEST(ColumnSpansTest, DenseCurveKeepsEveryPointWithinItsColumnsSpan) {
  std::vector<QPointF> points;
  for (int i = 0; i < 5000; ++i) points.emplace_back(i * 640.0 / 4999, (i * 7919) % 320);
  std::vector<ColumnSpan> spans;
  GatherColumnSpans(points, spans);
  ASSERT_EQ(spans.size(), 641u);
  std::size_t s = 0;
  for (const QPointF& p : points) {
    while (s < spans.size() && std::floor(spans[s].first.x()) != std::floor(p.x())) ++s;
    ASSERT_LT(s, spans.size());
    EXPECT_LE(spans[s].top, p.y());
    EXPECT_GE(spans[s].bottom, p.y());
  }
  EXPECT_EQ(spans.front().first, points.front());
  EXPECT_EQ(spans.back().last, points.back());
}

TEST(ColumnSpansTest, NoPointsNoSpans) {
  std::vector<ColumnSpan> spans{{{1, 1}, {1, 1}, 1, 1}};
  GatherColumnSpans({}, spans);
  EXPECT_TRUE(spans.empty());
}

}  // namespace
}  // namespace vt
