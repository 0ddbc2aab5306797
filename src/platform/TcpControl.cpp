#include "platform/TcpControl.h"

#include <QMetaObject>

namespace vt {

TcpControl::TcpControl(QObject* parent) : QObject(parent) {
  connect(&socket_, &QTcpSocket::connected, this, &TcpControl::Connected);
  connect(&socket_, &QTcpSocket::readyRead, this, [this] { emit DataArrival(socket_.bytesAvailable()); });
  connect(&socket_, &QTcpSocket::errorOccurred, this, &TcpControl::OnSocketError);
}

int TcpControl::State() const {
  switch (socket_.state()) {
    case QAbstractSocket::HostLookupState:
      return TcpState::ResolvingHost;
    case QAbstractSocket::ConnectingState:
      return TcpState::Connecting;
    case QAbstractSocket::ConnectedState:
      return TcpState::Connected;
    case QAbstractSocket::BoundState:
      return TcpState::Open;
    case QAbstractSocket::ListeningState:
      return TcpState::Listening;
    case QAbstractSocket::ClosingState:
      return TcpState::Closing;
    case QAbstractSocket::UnconnectedState:
      break;
  }
  if (failed_) return TcpState::Error;
  if (peerClosed_) return TcpState::Closing;
  return TcpState::Closed;
}

void TcpControl::Connect(const QString& host, quint16 port) {
  Close();
  socket_.connectToHost(host, port);
}

void TcpControl::Close() {
  socket_.abort();
  ++attempt_;
  failed_ = false;
  peerClosed_ = false;
}

bool TcpControl::SendData(const QByteArray& bytes) {
  if (socket_.state() != QAbstractSocket::ConnectedState) return false;
  if (socket_.write(bytes) != bytes.size()) return false;
  socket_.flush();  // out at once, not on the event loop's next pass
  return true;
}

QByteArray TcpControl::GetData() { return socket_.readAll(); }

void TcpControl::OnSocketError(QAbstractSocket::SocketError error) {
  if (error == QAbstractSocket::RemoteHostClosedError) {
    peerClosed_ = true;
    return;
  }
  failed_ = true;
  // An error of an attempt that was closed before the report is delivered
  // is not reported.
  QMetaObject::invokeMethod(
      this,
      [this, attempt = attempt_, number = static_cast<int>(error), text = socket_.errorString()] {
        if (attempt == attempt_) emit Error(number, text);
      },
      Qt::QueuedConnection);
}

}  // namespace vt
