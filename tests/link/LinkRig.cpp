#include "link/LinkRig.h"


#include "platform/EventWait.h"

namespace vt::test {

LinkRig::LinkRig(quint16 tcpPort, bool startTimers)
    : link(comm, dialogs, leds,
           LinkControls{&IndComTx, &IndComRx, &IndComRxHome, &IndTCPConOK, &labTCPCOn, &LabTracer}, pollTimer,
           folder.Path(), tcpPort, startTimers) {
  onPicture.fill(Qt::red);
  offPicture.fill(Qt::black);
  pollTimer.setInterval(40);
  comm.DevAddress = QStringLiteral("1");
}

bool LinkRig::OpenSerial(int portNumber, bool rtu, const QString& settings) {
  comm.RTUMode = rtu ? 1 : 0;
  comm.PortSettings = settings;
  return link.OpenPort(portNumber);
}

bool LinkRig::OpenTcp() {
  comm.IPAddr = {127, 0, 0, 1, 0};
  link.OpenPort(Port::Tcp);
  return WaitFor([&] { return link.Winsock1.State() == TcpState::Connected; });
}

bool LinkRig::AwaitAnswer(int tickMs) {
  QTimer tick;
  tick.setInterval(tickMs);
  QObject::connect(&tick, &QTimer::timeout, [this] {
    if (comm.TxActive != 0) return;  // still sending
    if (comm.TickCount > 10) {
      comm.TimedOut = true;
    } else {
      ++comm.TickCount;
    }
  });
  tick.start();
  WaitUntil([this] { return comm.RespDone || comm.TimedOut; });
  return comm.RespDone;
}

std::optional<bool> LinkRig::Transact(int address, const QString& body, int expectedLen,
                                      std::span<std::int32_t> values, int tickMs) {
  link.SendRequest(address, body, expectedLen);
  if (!AwaitAnswer(tickMs)) {
    link.AbandonRequest();
    comm.TxnBusy = false;
    return std::nullopt;
  }
  return link.ParseResponse(values);
}

}  // namespace vt::test
