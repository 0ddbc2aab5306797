#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTcpSocket>

namespace vt {

// The states of the TCP control, numbered as the classic socket control
// numbers them.
namespace TcpState {
constexpr int Closed = 0;
constexpr int Open = 1;
constexpr int Listening = 2;
constexpr int ResolvingHost = 4;
constexpr int Connecting = 6;
constexpr int Connected = 7;
constexpr int Closing = 8;  // the peer has closed the connection
constexpr int Error = 9;
}  // namespace TcpState

// The TCP client control: connects to a host and port, sends and reads
// bytes, and reports a made connection, an error and each arrival of data.
// A connection closed by the peer leaves the state at Closing until Close.
class TcpControl : public QObject {
  Q_OBJECT
 public:
  explicit TcpControl(QObject* parent = nullptr);

  int State() const;
  // Starts a connection attempt; the Connected or Error signal tells how it ended.
  void Connect(const QString& host, quint16 port);
  // Drops the connection or the attempt at once; the state is then Closed.
  void Close();
  // Queues the bytes in one write; false unless connected.
  bool SendData(const QByteArray& bytes);
  // All bytes that have arrived and were not read yet.
  QByteArray GetData();
  qint64 BytesAvailable() const { return socket_.bytesAvailable(); }

 signals:
  void Connected();
  // Delivered from the event loop after the failure, so the handler may
  // close the control.
  void Error(int number, const QString& description);
  void DataArrival(qint64 bytesTotal);

 private:
  void OnSocketError(QAbstractSocket::SocketError error);

  QTcpSocket socket_;
  int attempt_ = 0;  // counts Close calls, so a stale error report is recognised
  bool failed_ = false;
  bool peerClosed_ = false;
};

}  // namespace vt
