#pragma once

#include <QDateTime>
#include <QElapsedTimer>

namespace vt {

// The date and time of day, and a monotonic millisecond tick count that
// does not wrap within a test.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDateTime Now() const = 0;
  virtual qint64 TickMs() const = 0;
};

class SystemClock : public Clock {
 public:
  SystemClock() { elapsed_.start(); }
  QDateTime Now() const override { return QDateTime::currentDateTime(); }
  qint64 TickMs() const override { return elapsed_.elapsed(); }

 private:
  QElapsedTimer elapsed_;
};

// A clock that moves only when a test moves it.
class FakeClock : public Clock {
 public:
  explicit FakeClock(QDateTime now = QDateTime(QDate(2026, 3, 5), QTime(9, 7, 0)), qint64 tick = 1000)
      : now_(std::move(now)), tick_(tick) {}
  QDateTime Now() const override { return now_; }
  qint64 TickMs() const override { return tick_; }

  void Advance(qint64 ms) {
    tick_ += ms;
    now_ = now_.addMSecs(ms);
  }
  void SetNow(const QDateTime& now) { now_ = now; }

 private:
  QDateTime now_;
  qint64 tick_;
};

}  // namespace vt
