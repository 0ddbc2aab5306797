#include "platform/SerialControl.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "platform/FileReading.h"

namespace vt {
namespace {

// Output that takes no longer than this to send is waited for in place.
constexpr int kShortRestMs = 20;

}  // namespace

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
  connect(&device_, &SerialDevice::ReadyRead, this, &SerialControl::OnComm);
  // Queued: the port is closed once its own notification has returned.
  connect(&device_, &SerialDevice::Failed, this, &SerialControl::CloseFailedPort, Qt::QueuedConnection);
  sentCheck_.setSingleShot(true);
  sentCheck_.setTimerType(Qt::PreciseTimer);
  connect(&sentCheck_, &QTimer::timeout, this, &SerialControl::CheckSent);
}

bool SerialControl::SetSettings(const QString& text) {
  const auto parsed = SerialSettings::Parse(text);
  if (!parsed) return false;
  settingsText_ = text;
  settings_ = *parsed;
  device_.Configure(settings_);
  return true;
}

bool SerialControl::Open() {
  if (IsOpen()) Close();
  if (FolderDevicePath(programFolder_, portNumber_)) {
    namedInFolder_.insert(portNumber_);
  } else {
    namedInFolder_.remove(portNumber_);
  }
  devicePath_ = SerialDevicePath(programFolder_, portNumber_);
  if (!device_.Open(devicePath_, settings_)) {
    lastError_ = device_.ErrorText();
    return false;
  }
  lastError_.clear();
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
  return IsOpen() && named && *named != devicePath_;
}

void SerialControl::CloseFailedPort() {
  // The device as it stands now: a failure reported before the port was
  // closed or opened anew is over.
  if (!device_.HasFailed()) return;
  lastError_ = device_.ErrorText();
  GiveUp();
}

void SerialControl::GiveUp() {
  Close();
  emit PortLost();
}

void SerialControl::Close() {
  awaitingSent_ = false;
  sentCheck_.stop();
  device_.Close();
}

bool SerialControl::Output(const QByteArray& bytes) { return device_.Write(bytes); }

bool SerialControl::Output(const QString& text) { return Output(text.toLatin1()); }

bool SerialControl::Flush() { return device_.Flush(); }

qint64 SerialControl::OutBufferCount() const { return device_.BytesToWrite(); }

int SerialControl::OutputTimeMs() const {
  const double stopBits = settings_.stopBits == SerialStopBits::Two          ? 2.0
                          : settings_.stopBits == SerialStopBits::OneAndHalf ? 1.5
                                                                             : 1.0;
  const double parityBits = settings_.parity == SerialParity::None ? 0.0 : 1.0;
  const double bitsPerByte = 1.0 + settings_.dataBits + parityBits + stopBits;
  return static_cast<int>(std::ceil(OutBufferCount() * bitsPerByte * 1000.0 / settings_.baudRate));
}

bool SerialControl::WaitSent() { return device_.Drain(); }

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
  if (IsOpen() && rest > kShortRestMs && !expired) {
    // Looked at again when only the short rest should be left.
    sentCheck_.start(static_cast<int>(std::min(rest - kShortRestMs, sentDeadline_.remainingTime())));
    return;
  }
  awaitingSent_ = false;
  sentCheck_.stop();
  if (!expired) WaitSent();
  emit Sent();
}

qint64 SerialControl::InBufferCount() const { return device_.BytesAvailable(); }

void SerialControl::ClearInput() { device_.ClearInput(); }

std::optional<QByteArray> SerialControl::Input() {
  if (!IsOpen()) return std::nullopt;
  return device_.ReadAll();
}

}  // namespace vt
