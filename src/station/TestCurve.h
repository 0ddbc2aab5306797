#pragma once

#include <QObject>

#include "station/CurveDrawing.h"
#include "station/Program.h"
#include "station/TestPage.h"

namespace vt {

// The live force curve of the test tab: appends each fed sample to the
// graph module's buffer, updates the distance, speed and test-time read-outs,
// shows the curve's highest and lowest force and redraws the curve over its
// grid on the graph's own picture. A resized graph shows the same curve and
// grid again at its new size.
class TestCurve : public QObject {
  Q_OBJECT
 public:
  TestCurve(Program& program, TestPage& testPage);

  // Appends the live value shown in LabDispData and redraws. Does nothing
  // while the link is down, unless a stored test is on show.
  void UpdateTestGraph();

  // Draws the light grey grid: ten columns and ten rows over the picture.
  void DrawGraphGrid();

  // The curve the graph shows now, as the printed report draws it.
  const ShownCurve& Shown() const { return shown_; }

 private:
  void ShowTestReadOuts();
  void ShowRange(double lowest, double highest);
  // Draws the grid and the curve on show over a blank picture.
  void DrawCurve();

  Program& program_;
  TestPage& page_;
  // The buffer may change before the next redraw (a start fills it anew), so
  // a resized graph and the printed report draw from this copy.
  ShownCurve shown_;
  CurveDrawing drawing_;
};

}  // namespace vt
