#include "indicator-sim/TcpFrontEnd.h"

#include <QTcpSocket>
#include <QTimer>

#include "indicator-sim/Framing.h"
#include "indicator-sim/Responder.h"

namespace vt::sim {

TcpFrontEnd::TcpFrontEnd(Responder& responder, QObject* parent) : QObject(parent), responder_(responder) {
  connect(&server_, &QTcpServer::newConnection, this, &TcpFrontEnd::Accept);
}

TcpFrontEnd::~TcpFrontEnd() {
  // The sockets are the server's children and close as it goes: their
  // signals must not reach this half-destroyed front end.
  for (QTcpSocket* socket : server_.findChildren<QTcpSocket*>()) socket->disconnect(this);
}

bool TcpFrontEnd::Listen(const QHostAddress& address, quint16 port, QString* error) {
  if (server_.listen(address, port)) return true;
  if (error) *error = QStringLiteral("cannot listen on TCP port %1: %2").arg(port).arg(server_.errorString());
  return false;
}

void TcpFrontEnd::Accept() {
  while (QTcpSocket* socket = server_.nextPendingConnection()) {
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    buffers_.insert(socket, {});
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Receive(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
      buffers_.remove(socket);
      socket->deleteLater();
    });
  }
}

void TcpFrontEnd::Receive(QTcpSocket* socket) {
  auto found = buffers_.find(socket);
  if (found == buffers_.end()) return;
  found->append(socket->readAll());
  while (true) {
    QByteArray& buffer = buffers_[socket];
    const std::optional<int> length = TcpFrameLength(buffer);
    if (!length || buffer.size() < *length) return;  // wait for the rest
    if (*length == 0) {                              // not Modbus TCP: nothing sensible can follow
      buffer.clear();
      socket->abort();
      return;
    }
    const QByteArray frame = buffer.left(*length);
    buffer.remove(0, *length);
    Serve(socket, frame);
    if (!buffers_.contains(socket)) return;  // the fault closed the connection
  }
}

void TcpFrontEnd::Serve(QTcpSocket* socket, const QByteArray& frame) {
  const Reply reply = responder_.Answer(Transport::Tcp, DecodeTcp(frame));
  if (reply.closeConnection) {
    buffers_.remove(socket);
    socket->disconnectFromHost();  // the disconnected handler deletes it
    return;
  }
  if (reply.bytes.isEmpty()) return;
  if (reply.delayMs > 0) {
    // Sent later only if the connection still exists (the socket is the
    // timer's context).
    QTimer::singleShot(reply.delayMs, socket, [socket, bytes = reply.bytes] { socket->write(bytes); });
    return;
  }
  socket->write(reply.bytes);
}

}  // namespace vt::sim
