#pragma once

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

namespace vt::test {

// A pseudo-terminal: the program opens the slave by its path as a serial
// device, the test plays the far end on the master.
class Pty {
 public:
  Pty() {
    char name[128] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return;
    slavePath_ = QString::fromLocal8Bit(name);
    termios raw{};
    tcgetattr(slave_, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave_, TCSANOW, &raw);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  }
  ~Pty() {
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
  }
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  bool Ok() const { return master_ >= 0 && !slavePath_.isEmpty(); }
  const QString& SlavePath() const { return slavePath_; }

  void Write(const QByteArray& bytes) const {
    qsizetype done = 0;
    while (done < bytes.size()) {
      const ssize_t n = write(master_, bytes.constData() + done, bytes.size() - done);
      if (n > 0) done += n;
    }
  }

  // What the program sent: reads until `count` bytes came or `timeoutMs` passed.
  QByteArray Read(qsizetype count, int timeoutMs = 3000) const {
    QByteArray bytes;
    QElapsedTimer elapsed;
    elapsed.start();
    while (bytes.size() < count && elapsed.elapsed() < timeoutMs) {
      pollfd fd{master_, POLLIN, 0};
      if (poll(&fd, 1, 20) <= 0) continue;
      char buffer[512];
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n > 0) bytes.append(buffer, n);
    }
    return bytes;
  }

 private:
  int master_ = -1;
  int slave_ = -1;
  QString slavePath_;
};

}  // namespace vt::test
