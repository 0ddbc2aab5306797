#pragma once

#include <QByteArray>
#include <QSocketNotifier>
#include <QString>
#include <functional>
#include <memory>

namespace vt::test {

// A pseudo-terminal pair in raw mode: the program under test opens the
// slave path as its serial port, the test reads and writes the master side.
class PtyPair {
 public:
  PtyPair();
  ~PtyPair();
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  bool Ok() const { return master_ >= 0 && !slavePath_.isEmpty(); }
  const QString& SlavePath() const { return slavePath_; }
  // Reads what arrived on the master side until `count` bytes came or
  // `timeoutMs` passed, running the Qt event loop meanwhile.
  QByteArray Read(int count, int timeoutMs = 2000);
  // Everything that arrives until `terminator` was read or the time passed.
  QByteArray ReadUntil(const QByteArray& terminator, int timeoutMs = 2000);
  void Write(const QByteArray& bytes);
  // From now on, hands what arrives on the master side to `received` as
  // it comes, from the event loop; Read sees nothing more.
  void Watch(std::function<void(const QByteArray&)> received);
  // Hands what has arrived so far to the watcher now, without waiting for
  // the event loop to tell.
  void TakeArrived();
  // The test's end goes away, as an unplugged device: the program's end of
  // the line fails from then on.
  void Hangup();

 private:
  QByteArray ReadWhile(const std::function<bool(const QByteArray&)>& more, int timeoutMs);

  std::function<void(const QByteArray&)> received_;
  std::unique_ptr<QSocketNotifier> watcher_;
  int master_ = -1;
  int slave_ = -1;
  QString slavePath_;
};

}  // namespace vt::test
