#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

#include "indicator-sim/FaultPlan.h"
#include "indicator-sim/IndicatorModel.h"
#include "indicator-sim/Responder.h"

namespace vt::sim {

class SerialFrontEnd;
class TcpFrontEnd;

// The simulated force indicator, ready to run in-process: the model, the
// fault plan and the front ends that serve them. Lives on the thread whose
// event loop it uses (the tests' main thread, or the program's).
//
//   vt::sim::IndicatorSim sim;
//   sim.ListenTcp();                       // any free port on 127.0.0.1
//   quint16 port = sim.TcpPort();
//   sim.Model().SetBreakForce(120.0);
//   sim.Advance(500);                      // or sim.StartClock()
//   sim.Model().Commands().back().code;    // what register 0 received
class IndicatorSim : public QObject {
  Q_OBJECT
 public:
  explicit IndicatorSim(QObject* parent = nullptr);
  ~IndicatorSim() override;

  IndicatorModel& Model() { return model_; }
  FaultPlan& Faults() { return faults_; }
  Responder& Server() { return responder_; }

  // Modbus TCP server; port 0 takes any free port. False, with ErrorText(),
  // when the port cannot be had.
  bool ListenTcp(quint16 port = 0, const QHostAddress& address = QHostAddress::LocalHost);
  quint16 TcpPort() const;
  int TcpConnections() const;

  // Modbus RTU (Transport::Rtu) or ASCII (Transport::Ascii) slave on a new
  // pseudo-terminal, whose path SerialPath() gives. One serial front end at a
  // time; opening again replaces it.
  bool OpenSerial(Transport mode);
  QString SerialPath() const;
  // A symbolic link to the serial path, e.g. <program folder>/COM1.
  bool LinkSerial(const QString& linkPath);
  SerialFrontEnd* Serial() { return serial_.get(); }
  // Ends the serial side, as an indicator unplugged: the pseudo-terminal
  // closes and its link is removed.
  void CloseSerial();

  // The slave address that the serial side answers to (default 1).
  void SetAddress(int address);
  int Address() const { return address_; }
  // The quiet time that ends an RTU frame of unknown length (default 20 ms).
  void SetGapMs(int ms);

  // Moves the indicator's time on by hand.
  void Advance(qint64 ms) { model_.Advance(ms); }
  // Moves time on by itself, with the real time that passes, every interval.
  void StartClock(int intervalMs = 20);
  void StopClock() { clock_.stop(); }

  QString ErrorText() const { return error_; }

 private:
  IndicatorModel model_;
  FaultPlan faults_;
  Responder responder_;
  std::unique_ptr<TcpFrontEnd> tcp_;
  std::unique_ptr<SerialFrontEnd> serial_;
  int address_ = 1;
  int gapMs_ = 20;
  QTimer clock_;
  QElapsedTimer elapsed_;
  QString error_;
};

}  // namespace vt::sim
