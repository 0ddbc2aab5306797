#include "platform/SerialControl.h"

#include <sys/ioctl.h>
#include <termios.h>

#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "platform/FileReading.h"

namespace vt {
namespace {

// Output that takes no longer than this to send is waited for in place.
constexpr int kShortRestMs = 20;

}  // namespace

std::optional<SerialSettings> SerialSettings::Parse(const QString& text) {
  const QStringList fields = text.split(QLatin1Char(','));
  if (fields.size() != 4) return std::nullopt;
  SerialSettings settings;
  bool ok = false;
  settings.baudRate = fields[0].trimmed().toInt(&ok);
  if (!ok || settings.baudRate <= 0) return std::nullopt;

  const QString parity = fields[1].trimmed().toLower();
  if (parity == QLatin1String("n")) settings.parity = QSerialPort::NoParity;
  else if (parity == QLatin1String("e")) settings.parity = QSerialPort::EvenParity;
  else if (parity == QLatin1String("o")) settings.parity = QSerialPort::OddParity;
  else if (parity == QLatin1String("m")) settings.parity = QSerialPort::MarkParity;
  else if (parity == QLatin1String("s")) settings.parity = QSerialPort::SpaceParity;
  else return std::nullopt;

  const int dataBits = fields[2].trimmed().toInt(&ok);
  if (!ok || dataBits < 5 || dataBits > 8) return std::nullopt;
  settings.dataBits = static_cast<QSerialPort::DataBits>(dataBits);

  const QString stop = fields[3].trimmed();
  if (stop == QLatin1String("1")) settings.stopBits = QSerialPort::OneStop;
  else if (stop == QLatin1String("1.5")) settings.stopBits = QSerialPort::OneAndHalfStop;
  else if (stop == QLatin1String("2")) settings.stopBits = QSerialPort::TwoStop;
  else return std::nullopt;
  return settings;
}

std::optional<QString> FolderDevicePath(const QString& programFolder, int portNumber) {
  const QFileInfo entry(programFolder + QStringLiteral("/COM") + QString::number(portNumber));
  if (entry.isSymLink()) {
    const QString device = entry.canonicalFilePath();
    return device.isEmpty() ? entry.symLinkTarget() : device;
  }
  if (entry.isFile()) {
    QFile file;
    const bool opened = OpenForReading(file, entry.filePath()) == FileOpening::Opened;
    return opened ? QString::fromLocal8Bit(file.readLine()).trimmed() : QString();
  }
  return std::nullopt;
}

QString SerialDevicePath(const QString& programFolder, int portNumber) {
  return FolderDevicePath(programFolder, portNumber)
      .value_or(QStringLiteral("/dev/ttyS") + QString::number(portNumber - 1));
}

SerialControl::SerialControl(QString programFolder, QObject* parent)
    : QObject(parent), programFolder_(std::move(programFolder)), settings_(*SerialSettings::Parse(settingsText_)) {
  connect(&port_, &QSerialPort::readyRead, this, &SerialControl::OnComm);
  // Queued: the port is closed once its own notification has returned.
  connect(&port_, &QSerialPort::errorOccurred, this, &SerialControl::CloseFailedPort, Qt::QueuedConnection);
  sentCheck_.setSingleShot(true);
  sentCheck_.setTimerType(Qt::PreciseTimer);
  connect(&sentCheck_, &QTimer::timeout, this, &SerialControl::CheckSent);
}

bool SerialControl::SetSettings(const QString& text) {
  const auto parsed = SerialSettings::Parse(text);
  if (!parsed) return false;
  settingsText_ = text;
  settings_ = *parsed;
  if (port_.isOpen()) ApplySettings();
  return true;
}

void SerialControl::ApplySettings() {
  // Each setter reports a refusal by the device; a refused setting leaves
  // the port working as the device allows, so the results are not used.
  port_.setBaudRate(settings_.baudRate);
  port_.setDataBits(settings_.dataBits);
  port_.setParity(settings_.parity);
  port_.setStopBits(settings_.stopBits);
  port_.setFlowControl(QSerialPort::NoFlowControl);
}

bool SerialControl::Open() {
  if (port_.isOpen()) Close();
  if (FolderDevicePath(programFolder_, portNumber_)) {
    namedInFolder_.insert(portNumber_);
  } else {
    namedInFolder_.remove(portNumber_);
  }
  devicePath_ = SerialDevicePath(programFolder_, portNumber_);
  port_.setPortName(devicePath_);
  if (!port_.open(QIODevice::ReadWrite)) {
    lastError_ = port_.errorString();
    return false;
  }
  lastError_.clear();
  ApplySettings();
  port_.clear();
  emit Opened();
  return true;
}

bool SerialControl::Reopen(int portNumber) {
  if (namedInFolder_.contains(portNumber) && !FolderDevicePath(programFolder_, portNumber)) return false;
  portNumber_ = portNumber;
  return Open();
}

bool SerialControl::NameMoved() const {
  const auto named = FolderDevicePath(programFolder_, portNumber_);
  return port_.isOpen() && named && *named != devicePath_;
}

void SerialControl::CloseFailedPort() {
  // The port's error as it stands now: opening the port anew clears an
  // error reported before.
  const QSerialPort::SerialPortError error = port_.error();
  const bool deviceFailed = error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
                            error == QSerialPort::WriteError;
  if (!deviceFailed || !port_.isOpen()) return;
  lastError_ = port_.errorString();
  GiveUp();
}

void SerialControl::GiveUp() {
  Close();
  emit PortLost();
}

void SerialControl::Close() {
  awaitingSent_ = false;
  sentCheck_.stop();
  if (port_.isOpen()) port_.close();
}

bool SerialControl::Output(const QByteArray& bytes) {
  if (!port_.isOpen()) return false;
  return port_.write(bytes) == bytes.size();
}

bool SerialControl::Output(const QString& text) { return Output(text.toLatin1()); }

bool SerialControl::Flush() { return port_.isOpen() && port_.flush(); }

qint64 SerialControl::OutBufferCount() const {
  if (!port_.isOpen()) return 0;
  int queued = 0;
  if (ioctl(port_.handle(), TIOCOUTQ, &queued) != 0) queued = 0;
  return port_.bytesToWrite() + queued;
}

int SerialControl::OutputTimeMs() const {
  const double stopBits = settings_.stopBits == QSerialPort::TwoStop          ? 2.0
                          : settings_.stopBits == QSerialPort::OneAndHalfStop ? 1.5
                                                                              : 1.0;
  const double parityBits = settings_.parity == QSerialPort::NoParity ? 0.0 : 1.0;
  const double bitsPerByte = 1.0 + static_cast<int>(settings_.dataBits) + parityBits + stopBits;
  return static_cast<int>(std::ceil(OutBufferCount() * bitsPerByte * 1000.0 / settings_.baudRate));
}

bool SerialControl::WaitSent() {
  if (!port_.isOpen()) return false;
  port_.flush();
  return tcdrain(port_.handle()) == 0;
}

void SerialControl::NotifyWhenSent(int limitMs) {
  awaitingSent_ = true;
  sentDeadline_.setRemainingTime(limitMs);
  // What is queued now leaves the port at its rate from now on, however fast
  // the device takes it in (a pseudo-terminal takes it at once, a USB
  // adapter into its own buffer).
  sendingUntil_.setRemainingTime(OutputTimeMs());
  CheckSent();
}

void SerialControl::CheckSent() {
  if (!awaitingSent_) return;
  const qint64 rest = std::max<qint64>(sendingUntil_.remainingTime(), OutputTimeMs());
  const bool expired = sentDeadline_.hasExpired();
  if (port_.isOpen() && rest > kShortRestMs && !expired) {
    // Looked at again when only the short rest should be left.
    sentCheck_.start(static_cast<int>(std::min(rest - kShortRestMs, sentDeadline_.remainingTime())));
    return;
  }
  awaitingSent_ = false;
  sentCheck_.stop();
  if (!expired) WaitSent();
  emit Sent();
}

qint64 SerialControl::InBufferCount() const { return port_.isOpen() ? port_.bytesAvailable() : 0; }

void SerialControl::ClearInput() {
  if (!port_.isOpen()) return;
  port_.clear(QSerialPort::Input);
  port_.readAll();
}

std::optional<QByteArray> SerialControl::Input() {
  if (!port_.isOpen()) return std::nullopt;
  return port_.readAll();
}

}  // namespace vt
