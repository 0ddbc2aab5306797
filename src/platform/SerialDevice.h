#pragma once

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <memory>

#include "platform/SerialSettings.h"

struct termios;

namespace vt {

// A serial device (a UART, a USB adapter, a pseudo-terminal) opened raw and
// without blocking, kept from other programs while this one has it open.
// Input is read into a buffer as it arrives; output is queued and handed to
// the device as it takes it, from the event loop.
//
// A device that fails (it hung up, or reading or writing it fails) takes no
// more output, reports Failed() once and stays open until it is closed.
class SerialDevice : public QObject {
  Q_OBJECT
 public:
  explicit SerialDevice(QObject* parent = nullptr);
  ~SerialDevice() override;

  // Opens the device at `path` with `settings`, nothing queued either way.
  // False, with the reason in ErrorText(), when it cannot be opened or
  // another program has it open.
  bool Open(const QString& path, const SerialSettings& settings);
  // Puts the device back as it was found and closes it; unsent output is
  // dropped.
  void Close();
  bool IsOpen() const { return fd_ >= 0; }
  bool HasFailed() const { return failed_; }
  // Why the last opening failed, or why the open device failed.
  const QString& ErrorText() const { return errorText_; }

  // One setting at a time: a setting the device refuses (a pseudo-terminal
  // keeps 8 data bits and no parity) leaves the others in force and the
  // device working as it allows.
  void Configure(const SerialSettings& settings);

  // Queues bytes for sending; false when the device is closed or failed.
  bool Write(const QByteArray& bytes);
  // Hands the device what it takes of the queue now, without blocking;
  // false when it took none of what was queued.
  bool Flush();
  // Bytes queued here and in the device's transmit queue.
  qint64 BytesToWrite() const;
  // Flushes, then blocks until the device's transmit queue has been sent;
  // false when the device is closed or failed or reports an error.
  bool Drain();

  qint64 BytesAvailable() const { return input_.size(); }
  // Everything read so far; the input buffer is empty afterwards.
  QByteArray ReadAll();
  // Throws away what was read and what the device holds unread.
  void ClearInput();

 signals:
  // Bytes have been read into the input buffer.
  void ReadyRead();
  void Failed();

 private:
  bool Refuse(const QString& reason, int fd);
  void TakeInput();
  void PassOutput();
  // Writes what the device takes now; the bytes taken, or -1 when it failed.
  qint64 WriteQueued();
  void Fail(const QString& reason);

  QString path_;
  int fd_ = -1;
  std::unique_ptr<termios> found_;  // the device's settings before it was opened
  QSocketNotifier reader_{QSocketNotifier::Read};
  QSocketNotifier writer_{QSocketNotifier::Write};
  QByteArray input_;
  QByteArray output_;
  QString errorText_;
  bool failed_ = false;
};

}  // namespace vt
