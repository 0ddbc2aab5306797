#pragma once

#include <QImage>
#include <QWidget>

namespace vt {

// The window's layout was drawn in units of its own, 15 to a pixel: places
// and distances given in those units are converted with this one factor.
constexpr double kLayoutUnitsPerPixel = 15;
constexpr double LayoutUnitsToPixels(double units) { return units / kLayoutUnitsPerPixel; }

// The picture box of the test curve. The curve and its grid are drawn on a
// picture of their own, which the box shows and the snapshot saves; the
// printed report draws them afresh at the designed size. The box asks for its
// designed size, may shrink to its least size on a small screen and grows
// with the window; its picture always has the box's size.
class GraphBox : public QWidget {
  Q_OBJECT
 public:
  GraphBox(QSize designedSize, QSize leastSize, QWidget* parent = nullptr);

  QImage& Picture() { return picture_; }
  const QImage& Picture() const { return picture_; }
  // The inner (scale) width and height that drawing uses.
  int ScaleWidth() const { return picture_.width(); }
  int ScaleHeight() const { return picture_.height(); }

  void Clear();

  QSize DesignedSize() const { return designedSize_; }
  QSize sizeHint() const override { return designedSize_; }

 signals:
  void KeyPress(int keyAscii);
  void DblClick();
  // The box took another size: its picture is blank at the new size, to be
  // drawn again.
  void Resized();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QSize designedSize_;
  QImage picture_;
};

}  // namespace vt
