#pragma once

#include <QImage>
#include <QWidget>

namespace vt {

// The window's layout was drawn in units of its own, 15 to a pixel: places
// and distances given in those units are converted with this one factor.
constexpr double kLayoutUnitsPerPixel = 15;
constexpr double LayoutUnitsToPixels(double units) { return units / kLayoutUnitsPerPixel; }

// The picture box of the test curve. The curve and its grid are drawn on a
// picture of their own, which the box shows, the snapshot saves and the
// printed report stretches onto its page.
class GraphBox : public QWidget {
  Q_OBJECT
 public:
  explicit GraphBox(QSize pictureSize, QWidget* parent = nullptr);

  QImage& Picture() { return picture_; }
  const QImage& Picture() const { return picture_; }
  // The inner (scale) width and height that drawing uses.
  int ScaleWidth() const { return picture_.width(); }
  int ScaleHeight() const { return picture_.height(); }

  void Clear();

 signals:
  void KeyPress(int keyAscii);
  void DblClick();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace vt
