#include "support/ModalWindows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>

namespace vt::test {

void WhenShown(const QString& objectName, std::function<void(QDialog&)> act, int timeoutMs) {
  auto* timer = new QTimer(qApp);
  const QDeadlineTimer deadline(timeoutMs);
  QObject::connect(timer, &QTimer::timeout, [timer, objectName, act = std::move(act), deadline] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog && dialog->objectName() == objectName && dialog->isVisible()) {
      timer->deleteLater();
      timer->stop();
      act(*dialog);
    } else if (deadline.hasExpired()) {
      timer->deleteLater();
      timer->stop();
      ADD_FAILURE() << "the window " << objectName.toStdString() << " was not shown";
    }
  });
  timer->start(10);
}

}  // namespace vt::test
