#include "platform/SerialDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <optional>
#include <utility>

#include "platform/SerialCustomRate.h"

namespace vt {
namespace {

constexpr std::pair<qint32, speed_t> kStandardRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

std::optional<speed_t> StandardSpeed(qint32 bitRate) {
  for (const auto& [rate, speed] : kStandardRates) {
    if (rate == bitRate) return speed;
  }
  return std::nullopt;
}

tcflag_t DataBitsFlag(int dataBits) {
  switch (dataBits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
  }
}

tcflag_t ParityFlags(SerialParity parity) {
  switch (parity) {
    case SerialParity::Even: return PARENB;
    case SerialParity::Odd: return PARENB | PARODD;
    case SerialParity::Mark: return PARENB | CMSPAR | PARODD;
    case SerialParity::Space: return PARENB | CMSPAR;
    case SerialParity::None: break;
  }
  return 0;
}

// Bytes pass as they are, both ways: no echo, no line editing, no signal
// characters, no CR/LF translation, no flow control; the line's control
// lines are ignored. A read returns at once with what has arrived. Parity
// is not checked on input: the frames carry their own check.
void MakeRaw(termios& line) {
  cfmakeraw(&line);
  line.c_iflag &= ~(INPCK | IXOFF | IXANY);
  line.c_cflag &= ~CRTSCTS;
  line.c_cflag |= CLOCAL | CREAD;
  line.c_cc[VMIN] = 0;
  line.c_cc[VTIME] = 0;
}

// The device has hung up: a pulled USB adapter, a pseudo-terminal whose
// other end closed.
bool HungUp(int fd) {
  pollfd state{fd, 0, 0};
  return poll(&state, 1, 0) > 0 && (state.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

}  // namespace

SerialDevice::SerialDevice(QObject* parent) : QObject(parent) {
  connect(&reader_, &QSocketNotifier::activated, this, &SerialDevice::TakeInput);
  connect(&writer_, &QSocketNotifier::activated, this, &SerialDevice::PassOutput);
}

SerialDevice::~SerialDevice() { Close(); }

bool SerialDevice::Open(const QString& path, const SerialSettings& settings) {
  Close();
  path_ = path;
  errorText_.clear();
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Refuse(qt_error_string(errno), fd);
  // The port is kept from other programs by an flock on the device, which
  // the kernel releases however its holder ends, killed outright included.
  // No UUCP lock file (/run/lock/LCK..ttyUSB0) and no exclusive mode
  // (TIOCEXCL): a copy killed outright leaves the file behind, which the
  // sticky lock folder keeps another user from removing, and on a
  // pseudo-terminal the exclusive mode outlives it; either would keep the
  // port from every later start.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool held = errno == EWOULDBLOCK;
    return Refuse(held ? QStringLiteral("the port is in use by another program") : qt_error_string(errno), fd);
  }
  termios found{};
  if (tcgetattr(fd, &found) != 0) {
    return Refuse(errno == ENOTTY ? QStringLiteral("not a serial port") : qt_error_string(errno), fd);
  }
  termios raw = found;
  MakeRaw(raw);
  if (tcsetattr(fd, TCSANOW, &raw) != 0) return Refuse(qt_error_string(errno), fd);

  fd_ = fd;
  found_ = std::make_unique<termios>(found);
  Configure(settings);
  tcflush(fd_, TCIOFLUSH);
  reader_.setSocket(fd_);
  reader_.setEnabled(true);
  writer_.setSocket(fd_);  // enabled while output waits
  return true;
}

bool SerialDevice::Refuse(const QString& reason, int fd) {
  if (fd >= 0) ::close(fd);
  errorText_ = path_ + QStringLiteral(": ") + reason;
  return false;
}

void SerialDevice::Configure(const SerialSettings& settings) {
  if (!IsOpen()) return;
  const auto change = [this](const auto& edit) {
    termios line{};
    if (tcgetattr(fd_, &line) != 0) return;
    edit(line);
    tcsetattr(fd_, TCSANOW, &line);
  };
  if (const auto speed = StandardSpeed(settings.baudRate)) {
    change([&](termios& line) { cfsetspeed(&line, *speed); });
  } else {
    SetCustomBitRate(fd_, settings.baudRate);
  }
  change([&](termios& line) { line.c_cflag = (line.c_cflag & ~CSIZE) | DataBitsFlag(settings.dataBits); });
  change([&](termios& line) {
    line.c_cflag = (line.c_cflag & ~(PARENB | PARODD | CMSPAR)) | ParityFlags(settings.parity);
  });
  // POSIX knows no 1.5 stop bits; 2 stand for them (with 5 data bits a
  // UART sends 1.5 for them).
  change([&](termios& line) {
    if (settings.stopBits == SerialStopBits::One) {
      line.c_cflag &= ~CSTOPB;
    } else {
      line.c_cflag |= CSTOPB;
    }
  });
}

void SerialDevice::Close() {
  if (!IsOpen()) return;
  reader_.setEnabled(false);
  writer_.setEnabled(false);
  tcsetattr(fd_, TCSANOW, found_.get());
  ::close(fd_);  // which releases the flock
  fd_ = -1;
  found_.reset();
  input_.clear();
  output_.clear();
  failed_ = false;
}

void SerialDevice::Fail(const QString& reason) {
  failed_ = true;
  errorText_ = path_ + QStringLiteral(": ") + reason;
  // A failed device keeps reporting itself ready; it is not listened to.
  reader_.setEnabled(false);
  writer_.setEnabled(false);
  emit Failed();
}

void SerialDevice::TakeInput() {
  if (!IsOpen() || failed_) return;  // a readiness reported before the device was closed or failed
  // Open without blocking, reads and writes never wait: no signal interrupts them.
  char chunk[32768];
  const ssize_t n = ::read(fd_, chunk, sizeof chunk);
  if (n > 0) {
    input_.append(chunk, n);
    emit ReadyRead();
  } else if (n < 0 && errno != EAGAIN) {
    Fail(qt_error_string(errno));
  } else if (n == 0 && HungUp(fd_)) {
    Fail(QStringLiteral("the device hung up or went away"));
  }
}

bool SerialDevice::Write(const QByteArray& bytes) {
  if (!IsOpen() || failed_) return false;
  output_.append(bytes);
  writer_.setEnabled(!output_.isEmpty());
  return true;
}

void SerialDevice::PassOutput() {
  if (IsOpen() && !failed_) WriteQueued();
}

qint64 SerialDevice::WriteQueued() {
  qint64 taken = 0;
  while (!output_.isEmpty()) {
    const ssize_t n = ::write(fd_, output_.constData(), output_.size());
    if (n < 0 && errno != EAGAIN) {
      Fail(qt_error_string(errno));
      return -1;
    }
    if (n <= 0) break;
    output_.remove(0, n);
    taken += n;
  }
  writer_.setEnabled(!output_.isEmpty());
  return taken;
}

bool SerialDevice::Flush() {
  if (!IsOpen() || failed_) return false;
  return output_.isEmpty() || WriteQueued() > 0;
}

qint64 SerialDevice::BytesToWrite() const {
  int queued = 0;
  if (!IsOpen() || ioctl(fd_, TIOCOUTQ, &queued) != 0) queued = 0;
  return output_.size() + queued;
}

bool SerialDevice::Drain() {
  if (!IsOpen() || failed_ || WriteQueued() < 0) return false;
  int drained = 0;
  do {
    drained = tcdrain(fd_);
  } while (drained != 0 && errno == EINTR);
  return drained == 0;
}

QByteArray SerialDevice::ReadAll() { return std::exchange(input_, QByteArray()); }

void SerialDevice::ClearInput() {
  if (IsOpen()) tcflush(fd_, TCIFLUSH);
  input_.clear();
}

}  // namespace vt
