#pragma once

#include <QPointF>
#include <span>
#include <vector>

namespace vt {

// The part of a polyline that falls in one pixel column: where it enters and
// leaves the column and how far up and down it runs inside it.
struct ColumnSpan {
  QPointF first;
  QPointF last;
  double top;
  double bottom;
};

// Splits a polyline whose x never decreases into its pixel columns. Inside a
// column the line only runs up and down, so on a raster it is the column's
// span from top to bottom plus one segment from each column to the next; a
// curve of thousands of samples on a few hundred columns is drawn with a
// fraction of the segments.
void GatherColumnSpans(std::span<const QPointF> points, std::vector<ColumnSpan>& spans);

}  // namespace vt
