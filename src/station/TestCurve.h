#pragma once

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <vector>

#include "station/ColumnSpans.h"
#include "station/Program.h"
#include "station/TestPage.h"

namespace vt {

// The live force curve of the test tab: appends each fed sample to the
// graph module's buffer, updates the distance, speed and test-time read-outs,
// shows the curve's highest and lowest force and redraws the curve over its
// grid on the graph's own picture.
class TestCurve {
 public:
  TestCurve(Program& program, TestPage& testPage);

  // Appends the live value shown in LabDispData and redraws. Does nothing
  // while the link is down, unless a stored test is on show.
  void UpdateTestGraph();

  // Draws the light grey grid: ten columns and ten rows over the picture.
  void DrawGraphGrid();

 private:
  void ShowTestReadOuts();
  void ShowRange(double lowest, double highest);
  void DrawCurve(double lowest, double highest);

  Program& program_;
  TestPage& page_;
  // Kept between redraws to spare the allocations.
  std::vector<QPointF> points_;
  std::vector<ColumnSpan> spans_;
  std::vector<QLineF> segments_;
  std::vector<QRectF> bars_;
};

}  // namespace vt
