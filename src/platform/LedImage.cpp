#include "platform/LedImage.h"

namespace vt {

LedImage::LedImage(QWidget* parent) : QLabel(parent) {
  setFixedSize(18, 18);
  setScaledContents(true);
}

void LedImage::SetPicture(const QPixmap* picture) {
  if (picture_ == picture) return;
  picture_ = picture;
  if (picture) {
    setPixmap(*picture);
  } else {
    clear();
  }
}

}  // namespace vt
