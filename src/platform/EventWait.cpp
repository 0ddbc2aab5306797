#include "platform/EventWait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace vt {

void WaitUntil(const std::function<bool()>& done) {
  if (done()) return;
  QTimer wake;
  wake.setInterval(5);
  wake.start();
  while (!done()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
}

}  // namespace vt
