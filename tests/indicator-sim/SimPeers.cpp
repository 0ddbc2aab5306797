#include "SimPeers.h"

#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QThread>

namespace vt::sim::test {

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(1);
  }
  return true;
}

void Pump(int ms) {
  QDeadlineTimer deadline(ms);
  WaitFor([&] { return deadline.hasExpired(); }, ms + 1000);
}

namespace {

void AppendWord(QByteArray& pdu, int value) { pdu.append(char((value >> 8) & 0xFF)).append(char(value & 0xFF)); }

}  // namespace

QByteArray ReadPdu(int start, int count) {
  QByteArray pdu(1, 0x03);
  AppendWord(pdu, start);
  AppendWord(pdu, count);
  return pdu;
}

QByteArray WritePdu(int reg, int value) {
  QByteArray pdu(1, 0x06);
  AppendWord(pdu, reg);
  AppendWord(pdu, value);
  return pdu;
}

QByteArray WriteManyPdu(int start, const std::vector<int>& values) {
  QByteArray pdu(1, 0x10);
  AppendWord(pdu, start);
  AppendWord(pdu, int(values.size()));
  pdu.append(char(2 * values.size()));
  for (int value : values) AppendWord(pdu, value);
  return pdu;
}

std::vector<int> Registers(const QByteArray& answerPdu) {
  std::vector<int> values;
  for (int at = 2; at + 1 < answerPdu.size(); at += 2) {
    values.push_back(quint8(answerPdu[at]) << 8 | quint8(answerPdu[at + 1]));
  }
  return values;
}

TcpMaster::TcpMaster(quint16 port) {
  socket_.connectToHost(QStringLiteral("127.0.0.1"), port);
  WaitFor([this] { return Connected(); });
}

void TcpMaster::SendBytewise(const QByteArray& bytes) {
  for (char byte : bytes) {
    socket_.write(&byte, 1);
    socket_.flush();
  }
}

void TcpMaster::Send(const QByteArray& bytes) { socket_.write(bytes); }

QByteArray TcpMaster::Receive(int count, int timeoutMs) {
  WaitFor(
      [&] {
        received_.append(socket_.readAll());
        return received_.size() >= count;
      },
      timeoutMs);
  return std::exchange(received_, {});
}

QByteArray TcpMaster::Ask(const QByteArray& pdu, quint16 transaction, quint8 unit) {
  Send(EncodeFrame(Transport::Tcp, Adu{unit, transaction, pdu}));
  QByteArray header = Receive(7);
  if (header.size() < 7) return {};
  const std::optional<int> length = TcpFrameLength(header);
  if (!length || *length == 0) return {};
  const QByteArray frame = header + Receive(*length - int(header.size()));
  return DecodeTcp(frame).pdu;
}

SerialMaster::SerialMaster(const QString& path) {
  fd_ = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd_ < 0) return;
  // Held as VorTEST holds its port, so that a VorTEST of another test that
  // opens the terminal's number anew after its own went away cannot read
  // this line's bytes.
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd_);
    fd_ = -1;
    return;
  }
  termios settings{};
  ::tcgetattr(fd_, &settings);
  ::cfmakeraw(&settings);
  ::tcsetattr(fd_, TCSANOW, &settings);
}

SerialMaster::~SerialMaster() {
  if (fd_ >= 0) ::close(fd_);
}

void SerialMaster::Send(const QByteArray& bytes) {
  [[maybe_unused]] const ssize_t written = ::write(fd_, bytes.constData(), bytes.size());
}

void SerialMaster::Drain() {
  char bytes[512];
  ssize_t count;
  while ((count = ::read(fd_, bytes, sizeof bytes)) > 0) received_.append(bytes, count);
}

QByteArray SerialMaster::Receive(int count, int timeoutMs) {
  WaitFor(
      [&] {
        Drain();
        return received_.size() >= count;
      },
      timeoutMs);
  return std::exchange(received_, {});
}

QByteArray SerialMaster::ReceiveFor(int ms) {
  Pump(ms);
  Drain();
  return std::exchange(received_, {});
}

}  // namespace vt::sim::test
