#include "station/TestCurve.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "settings/Formats.h"
#include "settings/NumberText.h"
#include "station/ColumnSpans.h"
#include "station/DateText.h"

namespace vt {
namespace {

const QColor kGridGrey(228, 228, 228);
const QColor kCurveRed(255, 0, 0);
constexpr int kCurveWidth = 2;
// The curve's maximum lies 50 layout units (about 3 pixels) below the top;
// its minimum on the bottom.
constexpr double kTopMargin = LayoutUnitsToPixels(50);

}  // namespace

TestCurve::TestCurve(Program& program, TestPage& testPage) : program_(program), page_(testPage) {
  connect(page_.Graph, &GraphBox::Resized, this, &TestCurve::DrawCurve);
}

void TestCurve::UpdateTestGraph() {
  Graphic& graphic = program_.graphic;
  const bool recordLoaded = program_.global.RecordLoaded;
  if (!recordLoaded && !program_.comm.LinkOK) return;

  if (graphic.NewTestPending && !recordLoaded) {
    graphic.RestartCurve();
    graphic.TestStart = program_.clock.Now();
    graphic.TestStartTick = static_cast<double>(program_.clock.TickMs());
    graphic.NewTestPending = false;
  }

  const double value = Val(page_.LabDispData->text());
  ShowTestReadOuts();
  graphic.AppendSample(value);

  const int newest = graphic.NewestIndex();
  if (newest < kFirstSampleSlot) return;
  const auto first = graphic.GraphSamples.begin() + kFirstSampleSlot;
  const auto last = graphic.GraphSamples.begin() + newest + 1;
  const auto [lowest, highest] = std::minmax_element(first, last);
  ShowRange(*lowest, *highest);
  shownSamples_.assign(first, last);
  shownLowest_ = *lowest;
  shownHighest_ = *highest;
  DrawCurve();
}

void TestCurve::ShowTestReadOuts() {
  TestPage& p = page_;
  p.labTestDistance->setText(p.labEncoder->text());
  const double step = Val(p.txtStepVal->text());
  p.labDistance->setText(PlainNumber(step * (Val(p.labTestDistance->text()) - Val(p.labGap->text()))));
  // The speed uses the raw encoder count: the gap is not subtracted.
  const double seconds = Val(p.labResultTimePassSeconds->text());
  if (seconds != 0) {
    p.labDisplacementSpeed->setText(
        FormatNumber(Val(p.labEncoder->text()) * step / seconds * 60, QStringLiteral("#0.000")));
  }
  if (!program_.global.RecordLoaded) {
    p.labTestStart->setText(GeneralDateText(program_.graphic.TestStart));
    p.labTestStop->setText(GeneralDateText(program_.graphic.TestStop));
  }
}

void TestCurve::ShowRange(double lowest, double highest) {
  const Graphic& graphic = program_.graphic;
  const QString format =
      GetDecFormat(static_cast<int>(std::lround(program_.global.DispDP + graphic.GraphUnitDP)));
  page_.GraphMax->setText(FormatNumber(graphic.GraphUnitFactor * highest, format));
  page_.GraphMin->setText(FormatNumber(graphic.GraphUnitFactor * lowest, format));
}

void TestCurve::DrawCurve() {
  GraphBox& graph = *page_.Graph;
  graph.Clear();
  DrawGraphGrid();

  // The first sample of the test on the left edge, the newest on the right.
  const int steps = static_cast<int>(shownSamples_.size()) - 1;
  if (steps <= 0) return;
  const double w = graph.ScaleWidth();
  const double h = graph.ScaleHeight();
  const double lowest = shownLowest_;
  const bool flat = shownHighest_ == lowest;
  // The graph unit's factor scales the samples and their range alike, so
  // the curve's shape does not depend on it.
  const double scale = flat ? 1 : (h - kTopMargin) / (shownHighest_ - lowest);
  const double xStep = w / steps;
  points_.clear();
  for (int i = 0; i <= steps; ++i) {
    const double y = flat ? h / 2 : h - (shownSamples_[i] - lowest) * scale;
    // A sample read as an infinity has no place on the picture.
    if (std::isfinite(y)) points_.emplace_back(i * xStep, y);
  }
  // Within a pixel column the curve is a bar from its top to its bottom, as
  // wide as the pen; segments join the columns. Drawn this way a curve of
  // thousands of samples costs a few hundred segments.
  GatherColumnSpans(points_, spans_);
  segments_.clear();
  bars_.clear();
  for (std::size_t i = 0; i < spans_.size(); ++i) {
    const ColumnSpan& span = spans_[i];
    if (i > 0) segments_.emplace_back(spans_[i - 1].last, span.first);
    if (span.top < span.bottom) {
      bars_.emplace_back(span.first.x() - kCurveWidth / 2.0, span.top - kCurveWidth / 2.0, kCurveWidth,
                         span.bottom - span.top + kCurveWidth);
    }
  }
  QPainter painter(&graph.Picture());
  painter.setPen(QPen(kCurveRed, kCurveWidth));
  painter.drawLines(segments_.data(), static_cast<int>(segments_.size()));
  painter.setPen(Qt::NoPen);
  painter.setBrush(kCurveRed);
  painter.drawRects(bars_.data(), static_cast<int>(bars_.size()));
}

void TestCurve::DrawGraphGrid() {
  GraphBox& graph = *page_.Graph;
  QPainter painter(&graph.Picture());
  painter.setPen(QPen(kGridGrey, 1));
  // Single-precision steps, so the last line normally falls on the edge.
  const float w = graph.ScaleWidth();
  const float h = graph.ScaleHeight();
  for (float x = 0; x <= w; x += w / 10) painter.drawLine(QPointF(x, 0), QPointF(x, h));
  for (float y = 0; y <= h; y += h / 10) painter.drawLine(QPointF(0, y), QPointF(w, y));
  graph.update();
}

}  // namespace vt
