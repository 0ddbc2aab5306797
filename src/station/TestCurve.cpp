#include "station/TestCurve.h"

#include <QPainter>

namespace vt {

void DrawGraphGrid(GraphBox& graph, int lineWidth) {
  QPainter painter(&graph.Picture());
  const float w = graph.ScaleWidth();
  const float h = graph.ScaleHeight();
  const QColor grey(228, 228, 228);
  painter.setPen(QPen(grey, lineWidth));
  for (float x = 0; x <= w; x += w / 10) painter.drawLine(QPointF(x, 0), QPointF(x, h));
  painter.setPen(QPen(grey, 1));
  for (float y = 0; y <= h; y += h / 10) painter.drawLine(QPointF(0, y), QPointF(w, y));
  graph.update();
}

}  // namespace vt
