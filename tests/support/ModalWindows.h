#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace vt::test {

// Runs `act` on the modal window named `objectName` once it is on top of the
// modal stack, from within that window's own event loop; a window that does
// not come within `timeoutMs` fails the test.
inline void WhenShown(const QString& objectName, std::function<void(QDialog&)> act, int timeoutMs = 10000) {
  auto* timer = new QTimer(qApp);
  const QDeadlineTimer deadline(timeoutMs);
  QObject::connect(timer, &QTimer::timeout, [timer, objectName, act = std::move(act), deadline] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    const bool shown = dialog && dialog->objectName() == objectName && dialog->isVisible();
    if (!shown && !deadline.hasExpired()) return;
    timer->stop();
    timer->deleteLater();
    if (!shown) {
      ADD_FAILURE() << "the window " << objectName.toStdString() << " was not shown";
      return;
    }
    act(*dialog);
  });
  timer->start(10);
}

}  // namespace vt::test
