#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>

namespace vt::test {

// A helper program that the test starts and ends: socat's linked pair of
// pseudo-terminals, or the pymodbus ASCII slave.
class PeerProcess {
 public:
  PeerProcess(const QString& program, const QStringList& arguments);
  ~PeerProcess();
  PeerProcess(const PeerProcess&) = delete;
  PeerProcess& operator=(const PeerProcess&) = delete;

  bool Running() const { return process_.state() == QProcess::Running; }
  // False when the program could not be started (not installed).
  bool Started() const { return process_.error() != QProcess::FailedToStart; }
  // What the program wrote so far, for a failure message.
  QString Output() {
    return QString::fromLocal8Bit(process_.readAllStandardOutput() + process_.readAllStandardError());
  }

 private:
  QProcess process_;
};

// Two pseudo-terminals linked by socat, reachable as symlinks at the two
// paths; false from Ready() when they did not appear in time, and Problem()
// says why.
class SocatPtyPair {
 public:
  SocatPtyPair(const QString& linkA, const QString& linkB);
  bool Ready() const { return ready_; }
  std::string Problem();

 private:
  PeerProcess socat_;
  bool ready_ = false;
};

// The pymodbus ASCII slave (address 1, 9600 bit/s, 8N1) on a device,
// serving the same registers as the libmodbus slave.
PeerProcess StartAsciiSlave(const QString& device);

}  // namespace vt::test
