#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <optional>

#include "platform/SerialDevice.h"
#include "platform/SerialSettings.h"

namespace vt {

// The device that the program folder names for port COMn: where a symlink
// named "COMn" there finally leads, through every link on the way (COM1 to a
// /dev/serial/by-id name to ttyUSB0), or its own target while that chain
// ends nowhere; or the device path written in a plain file of that name;
// nothing when no entry of that name stands there.
std::optional<QString> FolderDevicePath(const QString& programFolder, int portNumber);
// The device behind port COMn: the one the program folder names, otherwise
// /dev/ttyS(n-1).
QString SerialDevicePath(const QString& programFolder, int portNumber);

// The serial port control: a port number, a settings text, text or binary
// input, output of text or bytes, the counts of bytes waiting to go out and
// waiting to be read, and one OnComm signal per arrival of input.
//
// An open port whose device fails (it went away, as a pulled USB adapter
// or a pseudo-terminal whose other end closed does, or reading or writing
// it fails) is closed at once and PortLost is emitted: a failed device
// keeps reporting itself ready, and writing into it would run without end.
class SerialControl : public QObject {
  Q_OBJECT
 public:
  enum class InputMode { Text, Binary };

  explicit SerialControl(QString programFolder, QObject* parent = nullptr);

  int CommPort() const { return portNumber_; }
  void SetCommPort(int portNumber) { portNumber_ = portNumber; }

  const QString& Settings() const { return settingsText_; }
  // False for a text that is not a valid setting; the settings stay as they were.
  bool SetSettings(const QString& text);

  // Text mode: the input is characters of a text protocol; binary mode: it
  // is data bytes. Both arrive as bytes.
  InputMode GetInputMode() const { return inputMode_; }
  void SetInputMode(InputMode mode) { inputMode_ = mode; }

  // Opens the port's device. False, with the reason in LastError(), when
  // the device cannot be opened or another program, another copy of this
  // one included, has it open; one that has ended holds it no more, however
  // it ended. Settings that an open device refuses (a pseudo-terminal keeps
  // 8 data bits and no parity) leave it open.
  bool Open();
  void Close();
  // Opens port COMn again after it was lost or could not be opened, on the
  // device that its name stands for now. While a name that the program
  // folder gave at the port's last opening is missing from it, nothing is
  // opened: the machine's own /dev/ttyS device is not the one that went away.
  bool Reopen(int portNumber);
  // Closes the open port as one whose device failed: PortLost is emitted.
  void GiveUp();
  // The port is open and the program folder names another device for it
  // now (the link was made anew after the device went away).
  bool NameMoved() const;
  bool IsOpen() const { return device_.IsOpen(); }
  const QString& LastError() const { return lastError_; }

  // Queue bytes or Latin-1 text for sending; false when the port is closed
  // or its device has failed.
  bool Output(const QByteArray& bytes);
  bool Output(const QString& text);
  // Hands what is queued to the device without waiting for it to leave;
  // false when the device took none of it.
  bool Flush();
  // Bytes queued but not yet sent: in the program's buffer and in the
  // device's transmit queue.
  qint64 OutBufferCount() const;
  // The time that sending what is still queued takes at the port's rate.
  int OutputTimeMs() const;
  // Hands everything queued to the device and blocks until it has been
  // sent; false when the port is closed or the device reports an error.
  bool WaitSent();
  // Follows what is queued until it has left the port, without running an
  // event loop: Sent() is emitted once the time that sending it takes at the
  // port's rate has passed and the device's queue is down to a short rest,
  // which is then waited out in place. A closed port or a rest that is
  // short already emits at once, inside the call; a port that stops taking
  // bytes emits when `limitMs` has passed. Closing the port drops the
  // notification.
  void NotifyWhenSent(int limitMs);

  // Bytes received and not yet read.
  qint64 InBufferCount() const;
  // Sets the input count to 0: everything received so far is thrown away.
  void ClearInput();
  // All input waiting, as one chunk; nothing when the port cannot be read.
  std::optional<QByteArray> Input();

 signals:
  // The port has been opened, at its first opening or anew.
  void Opened();
  void OnComm();
  void Sent();
  // The open port failed and has been closed; LastError() tells why.
  void PortLost();

 private:
  void CheckSent();
  void CloseFailedPort();

  QString programFolder_;
  int portNumber_ = 1;
  QString settingsText_ = QStringLiteral("9600,n,8,1");
  SerialSettings settings_;
  InputMode inputMode_ = InputMode::Text;
  SerialDevice device_;
  QString lastError_;
  QSet<int> namedInFolder_;     // ports whose last opening found their device named in the program folder
  QString devicePath_;          // the device of the last opening
  bool awaitingSent_ = false;
  QDeadlineTimer sentDeadline_;
  QDeadlineTimer sendingUntil_;
  QTimer sentCheck_;
};

}  // namespace vt
