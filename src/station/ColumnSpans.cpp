#include "station/ColumnSpans.h"

#include <algorithm>
#include <cmath>

namespace vt {

void GatherColumnSpans(std::span<const QPointF> points, std::vector<ColumnSpan>& spans) {
  spans.clear();
  for (std::size_t i = 0; i < points.size();) {
    const double column = std::floor(points[i].x());
    ColumnSpan span{points[i], points[i], points[i].y(), points[i].y()};
    for (; i < points.size() && std::floor(points[i].x()) == column; ++i) {
      span.last = points[i];
      span.top = std::min(span.top, points[i].y());
      span.bottom = std::max(span.bottom, points[i].y());
    }
    spans.push_back(span);
  }
}

}  // namespace vt
