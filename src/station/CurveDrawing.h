#pragma once

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <vector>

#include "station/ColumnSpans.h"

class QPainter;

namespace vt {

// The curve on show: its samples from the first of the test to the newest,
// and their range.
struct ShownCurve {
  std::vector<double> samples;
  double lowest = 0;
  double highest = 0;
};

// What the graph shows, drawn onto any painter as if on a picture of a given
// size in pixels: the light grey grid and, over it, the red curve. The screen
// draws it on the graph's own picture at the graph's size; the printed report
// draws it at the graph's designed size scaled onto its box, where the lines
// keep their designed widths.
class CurveDrawing {
 public:
  // The grid: ten columns and ten rows over the picture.
  static void DrawGrid(QPainter& painter, QSize picture);

  // The grid and the curve: the first sample on the left edge, the newest on
  // the right, the lowest on the bottom edge and the highest 50 layout units
  // below the top (a flat curve at mid-height).
  void Draw(QPainter& painter, QSize picture, const ShownCurve& curve);

 private:
  // Kept between drawings to spare the allocations.
  std::vector<QPointF> points_;
  std::vector<ColumnSpan> spans_;
  std::vector<QLineF> segments_;
  std::vector<QRectF> bars_;
};

}  // namespace vt
