#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

#include "platform/TcpControl.h"
#include "platform/WaitFor.h"

namespace vt {
namespace {

using test::WaitFor;

// A loopback port that nothing listens on (0 when none could be found).
quint16 ClosedLocalPort() {
  QTcpServer probe;
  if (!probe.listen(QHostAddress::LocalHost, 0)) return 0;
  return probe.serverPort();
}

TEST(TcpControl, ConnectSendReceiveAndPeerClose) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  TcpControl control;
  QSignalSpy connected(&control, &TcpControl::Connected);
  QSignalSpy arrivals(&control, &TcpControl::DataArrival);
  QSignalSpy errors(&control, &TcpControl::Error);
  EXPECT_EQ(control.State(), TcpState::Closed);
  EXPECT_FALSE(control.SendData("x"));

  control.Connect("127.0.0.1", server.serverPort());
  EXPECT_EQ(control.State(), TcpState::Connecting);
  ASSERT_TRUE(WaitFor([&] { return connected.count() == 1; }));
  EXPECT_EQ(control.State(), TcpState::Connected);
  ASSERT_TRUE(WaitFor([&] { return server.hasPendingConnections(); }));
  QTcpSocket* peer = server.nextPendingConnection();

  EXPECT_TRUE(control.SendData(QByteArray("\x00\x01\x02", 3)));
  ASSERT_TRUE(WaitFor([&] { return peer->bytesAvailable() == 3; }));
  EXPECT_EQ(peer->readAll(), QByteArray("\x00\x01\x02", 3));

  peer->write("answer");
  ASSERT_TRUE(WaitFor([&] { return control.BytesAvailable() == 6; }));
  ASSERT_GE(arrivals.count(), 1);
  EXPECT_GT(arrivals.first().first().toLongLong(), 0);
  EXPECT_EQ(control.GetData(), "answer");

  peer->close();
  ASSERT_TRUE(WaitFor([&] { return control.State() == TcpState::Closing; }));
  EXPECT_EQ(errors.count(), 0);
  control.Close();
  EXPECT_EQ(control.State(), TcpState::Closed);
}

TEST(TcpControl, RefusedConnectionReportsAnError) {
  const quint16 port = ClosedLocalPort();
  ASSERT_NE(port, 0);
  TcpControl control;
  QSignalSpy errors(&control, &TcpControl::Error);
  control.Connect("127.0.0.1", port);
  ASSERT_TRUE(WaitFor([&] { return errors.count() == 1; }));
  EXPECT_EQ(control.State(), TcpState::Error);
  EXPECT_EQ(errors.first().at(0).toInt(), int(QAbstractSocket::ConnectionRefusedError));
  EXPECT_FALSE(errors.first().at(1).toString().isEmpty());
  control.Close();
  EXPECT_EQ(control.State(), TcpState::Closed);
}

TEST(TcpControl, ErrorOfAClosedAttemptIsNotReported) {
  const quint16 port = ClosedLocalPort();
  ASSERT_NE(port, 0);
  TcpControl control;
  QSignalSpy errors(&control, &TcpControl::Error);
  control.Connect("127.0.0.1", port);
  ASSERT_TRUE(WaitFor([&] { return control.State() == TcpState::Error; }));
  control.Close();  // before the queued report is delivered
  WaitFor([] { return false; }, 100);
  EXPECT_EQ(errors.count(), 0);
}

}  // namespace
}  // namespace vt
