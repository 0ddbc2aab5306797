#include "indicator-sim/IndicatorSim.h"

#include "indicator-sim/SerialFrontEnd.h"
#include "indicator-sim/TcpFrontEnd.h"

namespace vt::sim {

IndicatorSim::IndicatorSim(QObject* parent) : QObject(parent), responder_(model_, faults_) {
  connect(&clock_, &QTimer::timeout, this, [this] { model_.Advance(elapsed_.restart()); });
}

IndicatorSim::~IndicatorSim() = default;

bool IndicatorSim::ListenTcp(quint16 port, const QHostAddress& address) {
  auto tcp = std::make_unique<TcpFrontEnd>(responder_);
  if (!tcp->Listen(address, port, &error_)) return false;
  tcp_ = std::move(tcp);
  return true;
}

quint16 IndicatorSim::TcpPort() const { return tcp_ ? tcp_->Port() : 0; }

int IndicatorSim::TcpConnections() const { return tcp_ ? tcp_->Connections() : 0; }

bool IndicatorSim::OpenSerial(Transport mode) {
  auto serial = std::make_unique<SerialFrontEnd>(responder_, mode);
  if (!serial->Open(&error_)) return false;
  serial->SetAddress(address_);
  serial->SetGapMs(gapMs_);
  serial_ = std::move(serial);
  return true;
}

void IndicatorSim::CloseSerial() { serial_.reset(); }

QString IndicatorSim::SerialPath() const { return serial_ ? serial_->SlavePath() : QString(); }

bool IndicatorSim::LinkSerial(const QString& linkPath) {
  if (!serial_) {
    error_ = QStringLiteral("no serial port is open to link to");
    return false;
  }
  return serial_->CreateLink(linkPath, &error_);
}

void IndicatorSim::SetAddress(int address) {
  address_ = address;
  if (serial_) serial_->SetAddress(address);
}

void IndicatorSim::SetGapMs(int ms) {
  gapMs_ = ms;
  if (serial_) serial_->SetGapMs(ms);
}

void IndicatorSim::StartClock(int intervalMs) {
  elapsed_.start();
  clock_.start(intervalMs);
}

}  // namespace vt::sim
