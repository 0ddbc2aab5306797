#include "indicator-sim/SerialFrontEnd.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstring>

#include "indicator-sim/Responder.h"

namespace vt::sim {

namespace {

QString SystemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

// The bit rate of a terminal setting, 0 for one not listed.
int BitRate(speed_t speed) {
  static const std::pair<speed_t, int> kRates[] = {
      {B300, 300},     {B600, 600},     {B1200, 1200},   {B2400, 2400},     {B4800, 4800},
      {B9600, 9600},   {B19200, 19200}, {B38400, 38400}, {B57600, 57600}, {B115200, 115200},
  };
  for (const auto& [constant, rate] : kRates) {
    if (constant == speed) return rate;
  }
  return 0;
}

// Characters of a request on the wire.
int FrameCharacters(Transport mode, const Adu& request) {
  const int bytes = 1 + int(request.pdu.size());
  return mode == Transport::Ascii ? 1 + 2 * (bytes + 1) + 2 : bytes + 2;
}

}  // namespace

SerialFrontEnd::SerialFrontEnd(Responder& responder, Transport mode, QObject* parent)
    : QObject(parent), responder_(responder), mode_(mode), reader_(mode) {
  gap_.setSingleShot(true);
  gap_.setInterval(20);
  connect(&gap_, &QTimer::timeout, this, [this] { Serve(reader_.GapElapsed()); });
}

SerialFrontEnd::~SerialFrontEnd() {
  notifier_.reset();
  // A link pointed elsewhere meanwhile (by a newer simulator) is not ours.
  if (!linkPath_.isEmpty() && QFile::symLinkTarget(linkPath_) == slavePath_) QFile::remove(linkPath_);
  if (masterFd_ >= 0) ::close(masterFd_);
  if (slaveFd_ >= 0) ::close(slaveFd_);
}

bool SerialFrontEnd::Open(QString* error) {
  char name[PATH_MAX] = {};
  if (::openpty(&masterFd_, &slaveFd_, name, nullptr, nullptr) != 0) {
    if (error) *error = QStringLiteral("cannot open a pseudo-terminal: %1").arg(SystemError());
    return false;
  }
  // Raw bytes both ways: no echo, no line editing, no CR/LF translation.
  termios settings{};
  ::tcgetattr(slaveFd_, &settings);
  ::cfmakeraw(&settings);
  ::tcsetattr(slaveFd_, TCSANOW, &settings);
  ::fcntl(masterFd_, F_SETFL, ::fcntl(masterFd_, F_GETFL) | O_NONBLOCK);
  ::fcntl(masterFd_, F_SETFD, FD_CLOEXEC);
  ::fcntl(slaveFd_, F_SETFD, FD_CLOEXEC);
  slavePath_ = QString::fromLocal8Bit(name);
  notifier_ = std::make_unique<QSocketNotifier>(masterFd_, QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &SerialFrontEnd::Receive);
  return true;
}

bool SerialFrontEnd::CreateLink(const QString& linkPath, QString* error) {
  const QFileInfo existing(linkPath);
  if (existing.isSymLink()) {
    QFile::remove(linkPath);
  } else if (existing.exists()) {
    if (error) *error = QStringLiteral("%1 exists and is not a link; left alone").arg(linkPath);
    return false;
  }
  if (!QFile::link(slavePath_, linkPath)) {
    if (error) *error = QStringLiteral("cannot create the link %1").arg(linkPath);
    return false;
  }
  linkPath_ = linkPath;
  return true;
}

void SerialFrontEnd::Receive() {
  QByteArray chunk;
  char bytes[512];
  ssize_t count;
  while ((count = ::read(masterFd_, bytes, sizeof bytes)) > 0) chunk.append(bytes, count);
  if (chunk.isEmpty()) return;
  Serve(reader_.Feed(chunk));
  if (reader_.Pending()) gap_.start();
}

void SerialFrontEnd::Serve(const std::vector<Adu>& requests) {
  for (const Adu& request : requests) {
    if (request.unit != address_) {
      ++ignored_;
      continue;
    }
    const Reply reply = responder_.Answer(mode_, request);
    if (reply.bytes.isEmpty()) continue;
    const int delayMs = reply.delayMs + LineMs(request, reply.bytes.size());
    if (delayMs > 0) {
      QTimer::singleShot(delayMs, Qt::PreciseTimer, this, [this, bytes = reply.bytes] { Send(bytes); });
    } else {
      Send(reply.bytes);
    }
  }
}

int SerialFrontEnd::LineMs(const Adu& request, qsizetype answerCharacters) const {
  // The master sets the bit rate on its side of the terminal; both sides
  // share it. A pseudo-terminal carries bytes at once: the answer is held
  // back until the request, the silence after it and the answer itself
  // would have crossed a real line.
  termios settings{};
  if (::tcgetattr(slaveFd_, &settings) != 0) return 0;
  const int rate = BitRate(::cfgetospeed(&settings));
  if (rate == 0) return 0;
  constexpr double kBitsPerCharacter = 12;  // the longest character: start, 8 data, parity, 2 stop
  constexpr double kSilenceCharacters = 3.5;
  const double characters = FrameCharacters(mode_, request) + kSilenceCharacters + double(answerCharacters);
  return int(std::ceil(characters * kBitsPerCharacter * 1000 / rate));
}

void SerialFrontEnd::Send(const QByteArray& bytes) {
  // The answers are short; what the terminal cannot take (nobody reads the
  // line) is lost, as on a real line.
  qsizetype sent = 0;
  while (sent < bytes.size()) {
    const ssize_t count = ::write(masterFd_, bytes.constData() + sent, bytes.size() - sent);
    if (count <= 0) return;
    sent += count;
  }
}

}  // namespace vt::sim
