#include "link/IndicatorLink.h"

namespace vt {
namespace {

constexpr int kWatchdogMs = 20;
constexpr int kActivityMs = 25;

}  // namespace

IndicatorLink::IndicatorLink(Communication& comm, Dialogs& dialogs, Leds& leds, const LinkControls& controls,
                             QTimer& pollTimer, QString programFolder, quint16 tcpPort, bool startTimers)
    : Comm(std::move(programFolder)),
      comm_(comm),
      dialogs_(dialogs),
      leds_(leds),
      controls_(controls),
      pollTimer_(pollTimer),
      tcpPort_(tcpPort) {
  connect(&Comm, &SerialControl::OnComm, this, &IndicatorLink::Comm_OnComm);
  connect(&Comm, &SerialControl::Sent, this, &IndicatorLink::SerialRequestSent);
  connect(&Comm, &SerialControl::PortLost, this, &IndicatorLink::Comm_PortLost);
  // The poll interval follows every serial port that opens; a port that
  // fails to open leaves it, and so a link left on TCP keeps its interval.
  connect(&Comm, &SerialControl::Opened, this, &IndicatorLink::FollowSerialRate);
  connect(&Winsock1, &TcpControl::Connected, this, &IndicatorLink::Winsock1_Connect);
  connect(&Winsock1, &TcpControl::Error, this, &IndicatorLink::Winsock1_Error);
  connect(&Winsock1, &TcpControl::DataArrival, this, &IndicatorLink::Winsock1_DataArrival);
  Timer2.setInterval(kWatchdogMs);
  tmrCommAct.setInterval(kActivityMs);
  connect(&Timer2, &QTimer::timeout, this, &IndicatorLink::Timer2_Timer);
  connect(&tmrCommAct, &QTimer::timeout, this, &IndicatorLink::tmrCommAct_Timer);
  if (startTimers) {
    Timer2.start();
    tmrCommAct.start();
  }
}

bool IndicatorLink::PortUsable() const {
  return (comm_.IndPort != Port::Offline && Comm.IsOpen()) || comm_.IndPort == Port::Tcp;
}

void IndicatorLink::tmrCommAct_Timer() {
  // The receive lamps come on at the tick after an answer and go off at the
  // tick after that.
  const QPixmap* receive = leds_.LedOffPic;
  if (comm_.RxLampCount != 0) {
    comm_.RxLampCount -= 1;
    if (comm_.RxLampCount >= 2) receive = leds_.LedOnPic;
  }
  controls_.IndComRx->SetPicture(receive);
  controls_.IndComRxHome->SetPicture(receive);

  // The sender lights the transmit lamp; it goes off two ticks later.
  if (comm_.TxLampCount == 0 || --comm_.TxLampCount < 2) leds_.BlinkControl(false, false, controls_.IndComTx);
}

}  // namespace vt
