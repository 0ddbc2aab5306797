#pragma once

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>

namespace vt::sim {

class Responder;

// Modbus TCP server: any number of connections, each with its own receive
// buffer so that requests may arrive byte by byte. Every unit identifier is
// answered (the indicator behind the server is the only one), and the answer
// echoes the request's transaction and unit identifiers. A frame whose
// header is not Modbus TCP closes the connection.
class TcpFrontEnd : public QObject {
  Q_OBJECT
 public:
  TcpFrontEnd(Responder& responder, QObject* parent = nullptr);
  ~TcpFrontEnd() override;

  // Port 0 takes any free port; Port() tells which.
  bool Listen(const QHostAddress& address, quint16 port, QString* error);
  quint16 Port() const { return server_.serverPort(); }
  int Connections() const { return int(buffers_.size()); }

 private:
  void Accept();
  void Receive(QTcpSocket* socket);
  void Serve(QTcpSocket* socket, const QByteArray& frame);

  Responder& responder_;
  QTcpServer server_;
  QHash<QTcpSocket*, QByteArray> buffers_;
};

}  // namespace vt::sim
