#pragma once

#include <QLabel>
#include <QPixmap>

namespace vt {

// An image control that shows one of the program's shared pictures. It keeps
// which picture object it shows, so the program can ask whether an LED shows
// the LED-on or the LED-off picture without comparing pixels.
class LedImage : public QLabel {
  Q_OBJECT
 public:
  explicit LedImage(QWidget* parent = nullptr);
  void SetPicture(const QPixmap* picture);
  const QPixmap* Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QPixmap* picture_ = nullptr;
};

}  // namespace vt
