#include "support/PtyPair.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace vt::test {

PtyPair::PtyPair() {
  char name[256] = {};
  if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return;
  termios raw{};
  tcgetattr(slave_, &raw);
  cfmakeraw(&raw);
  tcsetattr(slave_, TCSANOW, &raw);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  slavePath_ = QString::fromLocal8Bit(name);
}

void PtyPair::Watch(std::function<void(const QByteArray&)> received) {
  received_ = std::move(received);
  watcher_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
  QObject::connect(watcher_.get(), &QSocketNotifier::activated, [this] { TakeArrived(); });
}

void PtyPair::TakeArrived() {
  if (!watcher_) return;
  char buffer[512];
  ssize_t n = 0;
  while ((n = read(master_, buffer, sizeof buffer)) > 0) received_(QByteArray(buffer, n));
}

PtyPair::~PtyPair() { Hangup(); }

void PtyPair::Hangup() {
  watcher_.reset();
  if (master_ >= 0) close(master_);
  if (slave_ >= 0) close(slave_);
  master_ = slave_ = -1;
}

QByteArray PtyPair::ReadWhile(const std::function<bool(const QByteArray&)>& more, int timeoutMs) {
  QByteArray received;
  QDeadlineTimer deadline(timeoutMs);
  while (!deadline.hasExpired() && more(received)) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    pollfd fd{master_, POLLIN, 0};
    if (poll(&fd, 1, 5) > 0) {
      char buffer[512];
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n > 0) received.append(buffer, n);
    }
  }
  return received;
}

QByteArray PtyPair::ReadUntil(const QByteArray& terminator, int timeoutMs) {
  return ReadWhile([&](const QByteArray& received) { return !received.contains(terminator); }, timeoutMs);
}

QByteArray PtyPair::Read(int count, int timeoutMs) {
  return ReadWhile([&](const QByteArray& received) { return received.size() < count; }, timeoutMs);
}

void PtyPair::Write(const QByteArray& bytes) {
  qsizetype done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(master_, bytes.constData() + done, bytes.size() - done);
    if (n < 0 && errno != EAGAIN) return;
    if (n > 0) done += n;
  }
}

}  // namespace vt::test
