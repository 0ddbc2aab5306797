#pragma once

#include <QByteArray>
#include <QString>
#include <QTcpSocket>
#include <functional>
#include <vector>

#include "indicator-sim/Framing.h"

namespace vt::sim::test {

// Runs the event loop until `done` holds or the time is up; true when done.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000);
// Runs the event loop for a while.
void Pump(int ms);

// Request PDUs.
QByteArray ReadPdu(int start, int count);
QByteArray WritePdu(int reg, int value);
QByteArray WriteManyPdu(int start, const std::vector<int>& values);

// The register values of a function 03 answer PDU.
std::vector<int> Registers(const QByteArray& answerPdu);

// The master's end of a Modbus TCP connection to the simulator.
class TcpMaster {
 public:
  explicit TcpMaster(quint16 port);
  bool Connected() const { return socket_.state() == QAbstractSocket::ConnectedState; }
  // Sends the bytes one per write call, as the program does.
  void SendBytewise(const QByteArray& bytes);
  void Send(const QByteArray& bytes);
  // Bytes received until `count` have come or the time is up.
  QByteArray Receive(int count, int timeoutMs = 3000);
  // Sends a request and returns the answer's PDU (empty when none came).
  QByteArray Ask(const QByteArray& pdu, quint16 transaction = 1, quint8 unit = 1);
  QTcpSocket& Socket() { return socket_; }

 private:
  QTcpSocket socket_;
  QByteArray received_;
};

// The master's end of the simulator's pseudo-terminal, opened by its path
// in raw mode.
class SerialMaster {
 public:
  explicit SerialMaster(const QString& path);
  ~SerialMaster();
  bool IsOpen() const { return fd_ >= 0; }
  void Send(const QByteArray& bytes);
  // Bytes received until `count` have come or the time is up.
  QByteArray Receive(int count, int timeoutMs = 3000);
  // Everything that arrives within the time.
  QByteArray ReceiveFor(int ms);

 private:
  void Drain();

  int fd_ = -1;
  QByteArray received_;
};

}  // namespace vt::sim::test
