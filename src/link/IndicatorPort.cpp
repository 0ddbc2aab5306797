// Opening the indicator's port, keeping the TCP connection up and reopening
// a serial port whose device went away.
#include <optional>

#include "link/IndicatorLink.h"

namespace vt {
namespace {

constexpr int kTcpPollMs = 10;
// Watchdog ticks a connection attempt may take before it is started anew
// (about two seconds at 20 ms a tick).
constexpr int kConnectAttemptTicks = 100;

// The poll interval for a serial bit rate; other rates keep the interval.
std::optional<int> PollIntervalFor(const QString& settings) {
  const QString rate = settings.left(4);
  if (rate == QLatin1String("1200") || rate == QLatin1String("2400")) return 150;
  if (rate == QLatin1String("4800")) return 100;
  if (rate == QLatin1String("9600")) return 50;
  return std::nullopt;
}

bool IsSerialPort(int port) { return port != Port::Offline && port != Port::Tcp; }

}  // namespace

bool IndicatorLink::OpenPort(int port) {
  if (Comm.IsOpen()) Comm.Close();
  bool opened = true;
  if (port == Port::Offline) {
    comm_.IndPort = Port::Offline;
  } else if (port == Port::Tcp) {
    pollTimer_.setInterval(kTcpPollMs);
    comm_.IndPort = Port::Tcp;
    ReconnectTCP();
  } else {
    opened = OpenSerialPort(port);
  }
  // Every opening leaves no request outstanding (not even one still going
  // out: closing the port ended that) and the link not yet good.
  comm_.TxActive = 0;
  comm_.TxnBusy = false;
  comm_.RespDone = false;
  comm_.TickCount = 0;
  comm_.TimedOut = false;
  comm_.LinkOK = false;
  comm_.PollEnabled = true;
  return opened;
}

bool IndicatorLink::OpenSerialPort(int port) {
  Comm.SetInputMode(comm_.RTUMode != 0 ? SerialControl::InputMode::Binary : SerialControl::InputMode::Text);
  // A settings text that is no valid setting leaves the port's settings as they were.
  Comm.SetSettings(comm_.PortSettings);
  Comm.SetCommPort(port);
  if (Comm.Open()) {
    comm_.IndPort = port;
    return true;
  }
  dialogs_.MsgBox(QStringLiteral("COM%1 Not Available or specified port is being used by another device").arg(port),
                  MsgStyle::OkOnly, QStringLiteral("Communication Failure"));
  // The serial port in use before is opened again, with the new settings;
  // whether it opens is not reported.
  if (IsSerialPort(comm_.IndPort)) {
    Comm.SetCommPort(comm_.IndPort);
    Comm.Open();
  }
  return false;
}

void IndicatorLink::FollowSerialRate() {
  if (const auto interval = PollIntervalFor(comm_.PortSettings)) pollTimer_.setInterval(*interval);
}

void IndicatorLink::Comm_PortLost() {
  // Nothing goes out or comes in on the closed port: the request on the
  // line ends at once as unanswered, so that no caller waits for it, and
  // the link is not good until the reopened port brings an answer.
  comm_.TxActive = 0;
  comm_.LinkOK = false;
  if (comm_.TxnBusy) {
    AbandonRequest();
    comm_.TxnBusy = false;
    comm_.TimedOut = true;
  }
}

void IndicatorLink::ConnectTCP() {
  const auto& ip = comm_.IPAddr;
  const QString host = QStringLiteral("%1.%2.%3.%4").arg(ip[0]).arg(ip[1]).arg(ip[2]).arg(ip[3]);
  connectTicks_ = 0;
  tcpAnswer_.Reset();
  Winsock1.Connect(host, tcpPort_);
}

void IndicatorLink::ReconnectTCP() {
  Winsock1.Close();
  ConnectTCP();
}

void IndicatorLink::Winsock1_Connect() { leds_.BlinkControl(false, true, controls_.IndTCPConOK); }

void IndicatorLink::Winsock1_Error() {
  leds_.BlinkControl(false, false, controls_.IndTCPConOK);
  Winsock1.Close();
}

void IndicatorLink::Timer2_Timer() {
  const int state = Winsock1.State();
  if (!TcpLink()) {
    if (state == TcpState::Connected) Winsock1.Close();
    // Only the port the link is set to: while a failed switch's message is
    // open, the port that failed is not opened behind it.
    serialKeeper_.Tick(comm_.IndPort, comm_.LinkOK);
    return;
  }
  if (state == TcpState::Connected) return;
  if (state == TcpState::Closed) {
    ConnectTCP();
    return;
  }
  // An attempt under way gets its time; a connection closed by the peer or
  // failed is started anew at once.
  const bool underWay = state != TcpState::Closing && state != TcpState::Error;
  if (underWay && ++connectTicks_ < kConnectAttemptTicks) return;
  Winsock1.Close();
  leds_.BlinkControl(false, false, controls_.IndTCPConOK);
  ConnectTCP();
}

}  // namespace vt
