#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <functional>

namespace vt::test {

// Runs `act` each time a window named `objectName` is shown, at the moment
// it appears and before any work it starts on showing, for as long as the
// watch lives.
class ShowWatch : public QObject {
 public:
  ShowWatch(QString objectName, std::function<void()> act) : name_(std::move(objectName)), act_(std::move(act)) {
    qApp->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->objectName() == name_) act_();
    return false;
  }

 private:
  QString name_;
  std::function<void()> act_;
};

}  // namespace vt::test
