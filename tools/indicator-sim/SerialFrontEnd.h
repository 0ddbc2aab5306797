#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <memory>

#include "indicator-sim/Framing.h"
#include "indicator-sim/SerialFrameReader.h"

namespace vt::sim {

class Responder;

// Modbus RTU or ASCII slave on a pseudo-terminal that it opens itself. The
// master opens the slave side by its path (/dev/pts/N), directly or through
// a symbolic link such as COM1 in the program folder. Requests for another
// slave address are not answered.
//
// A pseudo-terminal carries bytes at once whatever bit rate the master sets
// on it; the front end answers no sooner than a real line at that rate
// would let it: after the request's time on the wire and the silence that
// a slave keeps before answering.
//
// The front end keeps the slave side open too: a pseudo-terminal whose
// slave side nobody holds reports a hang-up on the master side, and the
// master program may close and reopen its port at any time.
class SerialFrontEnd : public QObject {
  Q_OBJECT
 public:
  SerialFrontEnd(Responder& responder, Transport mode, QObject* parent = nullptr);
  ~SerialFrontEnd() override;

  bool Open(QString* error);
  QString SlavePath() const { return slavePath_; }
  Transport Mode() const { return mode_; }

  // Creates (or replaces) a symbolic link to the slave path; removed again
  // when the front end ends, while it still points to the slave path. An
  // existing file that is not a link is kept and the call fails.
  bool CreateLink(const QString& linkPath, QString* error);

  void SetAddress(int address) { address_ = address; }
  int Address() const { return address_; }
  // The quiet time that ends an RTU frame of unknown length (default 20 ms).
  void SetGapMs(int ms) { gap_.setInterval(ms); }
  int BadFrames() const { return reader_.BadFrames(); }
  int IgnoredRequests() const { return ignored_; }

 private:
  void Receive();
  void Serve(const std::vector<Adu>& requests);
  int LineMs(const Adu& request, qsizetype answerCharacters) const;
  void Send(const QByteArray& bytes);

  Responder& responder_;
  Transport mode_;
  SerialFrameReader reader_;
  int address_ = 1;
  int masterFd_ = -1;
  int slaveFd_ = -1;
  QString slavePath_;
  QString linkPath_;
  std::unique_ptr<QSocketNotifier> notifier_;
  QTimer gap_;
  int ignored_ = 0;
};

}  // namespace vt::sim
