#include "station/CurveDrawing.h"

#include <QPainter>
#include <cmath>

#include "station/GraphBox.h"

namespace vt {
namespace {

const QColor kGridGrey(228, 228, 228);
const QColor kCurveRed(255, 0, 0);
constexpr int kCurveWidth = 2;
// The curve's maximum lies 50 layout units (about 3 pixels) below the top;
// its minimum on the bottom.
constexpr double kTopMargin = LayoutUnitsToPixels(50);

}  // namespace

void CurveDrawing::DrawGrid(QPainter& painter, QSize picture) {
  painter.setPen(QPen(kGridGrey, 1));
  // Single-precision steps, so the last line normally falls on the edge.
  const float w = picture.width();
  const float h = picture.height();
  for (float x = 0; x <= w; x += w / 10) painter.drawLine(QPointF(x, 0), QPointF(x, h));
  for (float y = 0; y <= h; y += h / 10) painter.drawLine(QPointF(0, y), QPointF(w, y));
}

void CurveDrawing::Draw(QPainter& painter, QSize picture, const ShownCurve& curve) {
  DrawGrid(painter, picture);

  const int steps = static_cast<int>(curve.samples.size()) - 1;
  if (steps <= 0) return;
  const double w = picture.width();
  const double h = picture.height();
  const double lowest = curve.lowest;
  const bool flat = curve.highest == lowest;
  // The graph unit's factor scales the samples and their range alike, so
  // the curve's shape does not depend on it.
  const double scale = flat ? 1 : (h - kTopMargin) / (curve.highest - lowest);
  const double xStep = w / steps;
  points_.clear();
  for (int i = 0; i <= steps; ++i) {
    const double y = flat ? h / 2 : h - (curve.samples[i] - lowest) * scale;
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
  painter.setPen(QPen(kCurveRed, kCurveWidth));
  painter.drawLines(segments_.data(), static_cast<int>(segments_.size()));
  painter.setPen(Qt::NoPen);
  painter.setBrush(kCurveRed);
  painter.drawRects(bars_.data(), static_cast<int>(bars_.size()));
}

}  // namespace vt
