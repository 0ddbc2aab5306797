#include "platform/LedImage.h"

#include <QPainter>

namespace vt {

LedImage::LedImage(QWidget* parent) : QLabel(parent) {
  setFixedSize(18, 18);
  // The LED paints its whole box itself, so switching it repaints only the
  // LED and not the frame behind it; the activity lamps switch many times a
  // second.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void LedImage::SetPicture(const QPixmap* picture) {
  if (picture_ == picture) return;
  picture_ = picture;
  update();
}

void LedImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (picture_) painter.drawPixmap(rect(), *picture_);
}

}  // namespace vt
