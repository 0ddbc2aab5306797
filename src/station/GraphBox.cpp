#include "station/GraphBox.h"

#include <QKeyEvent>
#include <QPainter>

namespace vt {

GraphBox::GraphBox(QSize pictureSize, QWidget* parent)
    : QWidget(parent), picture_(pictureSize, QImage::Format_RGB32) {
  setFixedSize(pictureSize);
  setFocusPolicy(Qt::StrongFocus);
  Clear();
}

void GraphBox::Clear() {
  picture_.fill(Qt::white);
  update();
}

void GraphBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

void GraphBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit KeyPress(13);
    return;
  }
  if (!event->text().isEmpty()) emit KeyPress(event->text().at(0).unicode());
  QWidget::keyPressEvent(event);
}

void GraphBox::mouseDoubleClickEvent(QMouseEvent*) { emit DblClick(); }

}  // namespace vt
