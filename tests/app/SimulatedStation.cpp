#include "SimulatedStation.h"

#include <QEventLoop>
#include <QTimer>

namespace vt::test {

SimulatedStation::SimulatedStation(const std::optional<SerialLine>& serial, const QString& plcDevice) {
  sim.Model().SetNoise(0);
  sim.StartClock(10);
  QStringList config(36);
  if (serial) {
    sim.OpenSerial(serial->mode);
    sim.LinkSerial(folder.File(QStringLiteral("COM1")));
    config[1] = QStringLiteral(" 1 ");
    config[3] = serial->mode == sim::Transport::Rtu ? QStringLiteral(" 1 ") : QStringLiteral(" 0 ");
    config[4] = serial->settings;
  } else {
    sim.ListenTcp();
    config[1] = QStringLiteral(" 5 ");  // TCP
    config[3] = QStringLiteral(" 1 ");
    config[4] = QStringLiteral("9600,e,7,1");
  }
  config[2] = QStringLiteral("1");
  config[14] = QStringLiteral(" 0 ");
  if (!plcDevice.isEmpty()) folder.LinkPort(2, plcDevice);
  config[30] = plcDevice.isEmpty() ? QStringLiteral(" 0 ") : QStringLiteral(" 2 ");
  config[32] = QStringLiteral(" 127 ");
  config[33] = QStringLiteral(" 0 ");
  config[34] = QStringLiteral(" 0 ");
  config[35] = QStringLiteral(" 1 ");
  folder.WriteLines(QStringLiteral("kelbrin.cfg"), config);
  form = std::make_unique<MainForm>(folder.Path(), dialogs, clock, MainForm::Options{sim.TcpPort(), true});
}

bool SimulatedStation::WaitFor(const std::function<bool()>& done, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QEventLoop loop;
    QTimer::singleShot(5, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

bool SimulatedStation::WaitForLink(int timeoutMs) {
  return WaitFor([this] { return program().comm.LinkOK; }, timeoutMs);
}

void SimulatedStation::WaitForLedRefresh() {
  const int start = form->pollCycle->LedTickCount;
  // Two whole refresh periods, so the refresh saw an answer newer than the call.
  int refreshes = 0;
  int last = start;
  WaitFor([&] {
    const int now = form->pollCycle->LedTickCount;
    if (now < last) ++refreshes;
    last = now;
    return refreshes >= 2;
  });
}

}  // namespace vt::test
