#include "link/IndicatorLink.h"

namespace vt {

IndicatorLink::IndicatorLink(Communication& comm, Dialogs& dialogs, Leds& leds, const LinkControls& controls,
                             QTimer& pollTimer, QString programFolder, quint16 tcpPort)
    : comm_(comm),
      dialogs_(dialogs),
      leds_(leds),
      controls_(controls),
      pollTimer_(pollTimer),
      programFolder_(std::move(programFolder)),
      tcpPort_(tcpPort) {}

bool IndicatorLink::OpenPort(int port) {
  comm_.IndPort = port;
  comm_.TxnBusy = false;
  comm_.RespDone = false;
  comm_.TickCount = 0;
  comm_.TimedOut = false;
  comm_.LinkOK = false;
  comm_.PollEnabled = true;
  return true;
}

bool IndicatorLink::PortUsable() const { return comm_.IndPort == Port::Tcp; }

}  // namespace vt
