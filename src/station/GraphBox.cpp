#include "station/GraphBox.h"

#include <QKeyEvent>
#include <QPainter>

namespace vt {

GraphBox::GraphBox(QSize designedSize, QSize leastSize, QWidget* parent)
    : QWidget(parent), designedSize_(designedSize), picture_(designedSize, QImage::Format_RGB32) {
  setMinimumSize(leastSize);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  // Until a layout places it, the box has its designed size, as its picture.
  resize(designedSize);
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

void GraphBox::resizeEvent(QResizeEvent*) {
  if (picture_.size() == size()) return;
  picture_ = QImage(size(), QImage::Format_RGB32);
  Clear();
  emit Resized();
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
