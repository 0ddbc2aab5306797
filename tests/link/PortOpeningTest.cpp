// Opening the indicator's port, the poll interval it sets, and the TCP watchdog.
#include <gtest/gtest.h>

#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

#include "link/LinkRig.h"
#include "support/PtyPair.h"

namespace vt {
namespace {

using test::LinkRig;
using test::PtyPair;
using test::WaitFor;

void ExpectNoRequestAndLinkNotGood(const Communication& comm) {
  EXPECT_FALSE(comm.TxnBusy);
  EXPECT_FALSE(comm.RespDone);
  EXPECT_FALSE(comm.TimedOut);
  EXPECT_EQ(comm.TickCount, 0);
  EXPECT_FALSE(comm.LinkOK);
  EXPECT_TRUE(comm.PollEnabled);
}

void Dirty(Communication& comm) {
  comm.TxnBusy = comm.RespDone = comm.TimedOut = comm.LinkOK = true;
  comm.TickCount = 7;
  comm.PollEnabled = false;
}

TEST(PortOpening, SerialPortsSetThePollIntervalByBitRate) {
  PtyPair com1, com2;
  ASSERT_TRUE(com1.Ok() && com2.Ok());
  LinkRig rig;
  rig.folder.LinkPort(1, com1.SlavePath());
  rig.folder.LinkPort(2, com2.SlavePath());
  EXPECT_EQ(rig.pollTimer.interval(), 40);

  Dirty(rig.comm);
  EXPECT_TRUE(rig.OpenSerial(2, false, "4800,e,7,1"));
  EXPECT_EQ(rig.pollTimer.interval(), 100);
  EXPECT_EQ(rig.comm.IndPort, 2);
  EXPECT_TRUE(rig.link.Comm.IsOpen());
  EXPECT_EQ(rig.link.Comm.GetInputMode(), SerialControl::InputMode::Text);
  EXPECT_TRUE(rig.link.PortUsable());
  ExpectNoRequestAndLinkNotGood(rig.comm);

  EXPECT_TRUE(rig.OpenSerial(1, true, "19200,n,8,1"));
  EXPECT_EQ(rig.pollTimer.interval(), 100);  // rates beyond the table keep it
  EXPECT_EQ(rig.link.Comm.GetInputMode(), SerialControl::InputMode::Binary);
  EXPECT_TRUE(rig.OpenSerial(1, true, "115200,n,8,1"));
  EXPECT_EQ(rig.pollTimer.interval(), 100);  // only four characters are compared
  EXPECT_TRUE(rig.OpenSerial(1, true, "9600,n,8,1"));
  EXPECT_EQ(rig.pollTimer.interval(), 50);
  EXPECT_TRUE(rig.OpenSerial(1, true, "2400,n,8,1"));
  EXPECT_EQ(rig.pollTimer.interval(), 150);
  EXPECT_TRUE(rig.OpenSerial(1, true, "1200,n,8,1"));
  EXPECT_EQ(rig.pollTimer.interval(), 150);
  EXPECT_TRUE(rig.dialogs.boxes.empty());
}

TEST(PortOpening, OfflineClosesTheSerialPort) {
  PtyPair com1;
  LinkRig rig;
  rig.folder.LinkPort(1, com1.SlavePath());
  ASSERT_TRUE(rig.OpenSerial(1, true));
  Dirty(rig.comm);
  EXPECT_TRUE(rig.link.OpenPort(Port::Offline));
  EXPECT_EQ(rig.comm.IndPort, Port::Offline);
  EXPECT_FALSE(rig.link.Comm.IsOpen());
  EXPECT_FALSE(rig.link.PortUsable());
  ExpectNoRequestAndLinkNotGood(rig.comm);
  for (int tick = 0; tick < PortKeeper::kTurnTicks; ++tick) rig.link.Timer2_Timer();
  EXPECT_TRUE(rig.link.Comm.LastError().isEmpty());  // the watchdog tries no port
}

TEST(PortOpening, FailedOpeningShowsTheMessageAndReopensThePreviousPort) {
  PtyPair com1;
  LinkRig rig;
  rig.folder.LinkPort(1, com1.SlavePath());
  rig.folder.LinkPort(3, rig.folder.NoDevice());
  ASSERT_TRUE(rig.OpenSerial(1, true));
  Dirty(rig.comm);

  EXPECT_FALSE(rig.OpenSerial(3, false, "4800,e,7,1"));
  ASSERT_EQ(rig.dialogs.boxes.size(), 1u);
  EXPECT_EQ(rig.dialogs.boxes[0].text, "COM3 Not Available or specified port is being used by another device");
  EXPECT_EQ(rig.dialogs.boxes[0].title, "Communication Failure");
  EXPECT_EQ(rig.dialogs.boxes[0].style, MsgStyle::OkOnly);
  EXPECT_EQ(rig.comm.IndPort, 1);
  EXPECT_TRUE(rig.link.Comm.IsOpen());
  EXPECT_EQ(rig.link.Comm.CommPort(), 1);
  EXPECT_EQ(rig.pollTimer.interval(), 100);  // the new interval stays
  ExpectNoRequestAndLinkNotGood(rig.comm);

  // The reopened port carries requests.
  rig.comm.RTUMode = 1;
  rig.link.SendRequest(1, "0600010008", 14);
  EXPECT_EQ(com1.Read(8).size(), 8);
}

// A switch to a port that fails to open leaves the poll interval of the
// link that is open afterwards.
TEST(PortOpening, AFailedSwitchLeavesThePollIntervalOfTheLinkStillOpen) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  PtyPair com1;
  const struct {
    const char* before;
    std::function<bool(LinkRig&)> open;
    int interval;
  } rows[] = {
      {"TCP", [](LinkRig& rig) { return rig.OpenTcp(); }, 10},
      {"offline", [](LinkRig& rig) { return rig.link.OpenPort(Port::Offline); }, 40},
      {"a serial port that cannot be opened again",
       [&](LinkRig& rig) {
         rig.folder.LinkPort(1, com1.SlavePath());
         const bool opened = rig.OpenSerial(1, true, "9600,e,8,1");
         rig.folder.LinkPort(1, rig.folder.NoDevice());
         return opened;
       },
       50},
  };
  for (const auto& row : rows) {
    LinkRig rig(server.serverPort());
    ASSERT_TRUE(row.open(rig)) << row.before;
    EXPECT_FALSE(rig.OpenSerial(3, true, "1200,e,8,1")) << row.before;
    EXPECT_EQ(rig.pollTimer.interval(), row.interval) << row.before;
    EXPECT_EQ(rig.dialogs.boxes.size(), 1u) << row.before;
  }
}

TEST(PortOpening, FailedOpeningWhileOfflineStaysOffline) {
  LinkRig rig;
  rig.folder.LinkPort(4, rig.folder.NoDevice());
  EXPECT_FALSE(rig.OpenSerial(4, true));
  EXPECT_EQ(rig.dialogs.texts(), QStringList{"COM4 Not Available or specified port is being used by another device"});
  EXPECT_EQ(rig.comm.IndPort, Port::Offline);
  EXPECT_FALSE(rig.link.Comm.IsOpen());
}

TEST(PortOpening, TcpConnectsToTheConfiguredAddress) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  LinkRig rig(server.serverPort());
  Dirty(rig.comm);
  rig.comm.IPAddr = {127, 0, 0, 1, 0};
  EXPECT_TRUE(rig.link.OpenPort(Port::Tcp));
  EXPECT_EQ(rig.comm.IndPort, Port::Tcp);
  EXPECT_EQ(rig.pollTimer.interval(), 10);
  EXPECT_TRUE(rig.link.PortUsable());
  ExpectNoRequestAndLinkNotGood(rig.comm);
  EXPECT_FALSE(rig.leds.IsOn(&rig.IndTCPConOK));
  ASSERT_TRUE(WaitFor([&] { return rig.leds.IsOn(&rig.IndTCPConOK); }));
  EXPECT_EQ(rig.link.Winsock1.State(), TcpState::Connected);
  ASSERT_TRUE(WaitFor([&] { return server.hasPendingConnections(); }));
  EXPECT_EQ(server.nextPendingConnection()->peerAddress(), QHostAddress(QHostAddress::LocalHost));
}

// A serial device that goes away: the port closes and the request on the
// line ends; the watchdog tries the port once every 50 ticks, without a
// message, and polls go out again once the device is back under its name.
TEST(SerialWatchdog, ALostPortEndsTheRequestAndIsReopenedAtASlowPace) {
  PtyPair com1;
  LinkRig rig;
  rig.folder.LinkPort(1, com1.SlavePath());
  ASSERT_TRUE(rig.OpenSerial(1, true, "4800,e,8,1"));
  rig.pollTimer.setInterval(40);
  rig.link.SendRequest(1, "030000000C", 56);
  ASSERT_TRUE(WaitFor([&] { return rig.comm.TxActive == 0; }));
  rig.comm.LinkOK = true;

  com1.Hangup();
  ASSERT_TRUE(WaitFor([&] { return !rig.link.Comm.IsOpen(); }));
  EXPECT_FALSE(rig.comm.TxnBusy);
  EXPECT_TRUE(rig.comm.TimedOut);
  EXPECT_FALSE(rig.comm.LinkOK);
  EXPECT_FALSE(rig.link.PortUsable());
  EXPECT_EQ(rig.comm.IndPort, 1);

  // A device that stays away (its link left behind, as for a USB adapter
  // pulled out) costs one failed open a second and no message.
  rig.folder.LinkPort(1, rig.folder.NoDevice());
  for (int tick = 0; tick < 500; ++tick) rig.link.Timer2_Timer();
  EXPECT_FALSE(rig.link.Comm.IsOpen());

  const auto ticksUntilOpen = [&] {
    int ticks = 0;
    while (!rig.link.Comm.IsOpen() && ticks < 100) {
      rig.link.Timer2_Timer();
      ++ticks;
    }
    return ticks;
  };
  PtyPair back;
  rig.folder.LinkPort(1, back.SlavePath());
  EXPECT_EQ(ticksUntilOpen(), 50);
  EXPECT_TRUE(rig.link.PortUsable());
  EXPECT_EQ(rig.pollTimer.interval(), 100);  // the port's rate sets the interval again
  rig.link.SendRequest(1, "0600010008", 14);
  EXPECT_EQ(back.Read(8).size(), 8);
  EXPECT_TRUE(rig.dialogs.boxes.empty());

  // Lost again right after a reopening: the next try is a whole pace later.
  back.Hangup();
  ASSERT_TRUE(WaitFor([&] { return !rig.link.Comm.IsOpen(); }));
  PtyPair third;
  rig.folder.LinkPort(1, third.SlavePath());
  EXPECT_EQ(ticksUntilOpen(), 50);
}

// COM3 comes while the message that it failed to open is showing, and the
// watchdog has its turn: a poll then goes to the link's own port, none to
// the one that failed.
TEST(SerialWatchdog, NothingIsPolledOnAPortThatFailedToOpen) {
  PtyPair com1, com3;
  LinkRig rig;
  rig.folder.LinkPort(1, com1.SlavePath());
  rig.folder.LinkPort(3, rig.folder.NoDevice());
  ASSERT_TRUE(rig.OpenSerial(1, false));
  QByteArray onCom1, onCom3;
  rig.dialogs.whileOpen = [&] {
    rig.folder.LinkPort(3, com3.SlavePath());
    for (int tick = 0; tick < PortKeeper::kTurnTicks; ++tick) rig.link.Timer2_Timer();
    rig.link.SendRequest(1, "0300000001", 14);
    onCom1 = com1.ReadUntil("\r\n");
    onCom3 = com3.Read(1, 300);
  };
  EXPECT_FALSE(rig.OpenSerial(3, false));
  EXPECT_TRUE(onCom1.startsWith(":0103"));
  EXPECT_EQ(onCom3, QByteArray());
}

// A port left on an unrelated device (a link left behind that led to it)
// follows its name to the device linked anew, once it brings no answers,
// also where the link made anew lies further down the name's chain (COM1 to
// a /dev/serial/by-id name).
TEST(SerialWatchdog, APortWithoutAnswersFollowsItsNameToTheDeviceLinkedAnew) {
  PtyPair stranger, indicator;
  LinkRig rig;
  const QString byId = rig.folder.File(QStringLiteral("usb-FTDI-if00"));
  ASSERT_TRUE(QFile::link(stranger.SlavePath(), byId) && rig.folder.LinkPort(1, byId));
  ASSERT_TRUE(rig.OpenSerial(1, true));
  ASSERT_TRUE(QFile::remove(byId) && QFile::link(indicator.SlavePath(), byId));
  const auto watchdogTurn = [&] {
    for (int tick = 0; tick < PortKeeper::kTurnTicks; ++tick) rig.link.Timer2_Timer();
  };
  const auto requestReaches = [&](PtyPair& device) {
    rig.link.SendRequest(1, "0600010008", 14);
    return device.Read(8).size() == 8;
  };
  rig.comm.LinkOK = true;
  watchdogTurn();
  EXPECT_TRUE(requestReaches(stranger));  // answers come: the port stays
  rig.comm.LinkOK = false;
  watchdogTurn();
  EXPECT_FALSE(rig.comm.TxnBusy);  // the request sent to the stranger has ended
  EXPECT_TRUE(requestReaches(indicator));
  EXPECT_TRUE(rig.dialogs.boxes.empty());
}

TEST(TcpWatchdog, ReconnectsAfterThePeerDropsTheConnection) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  LinkRig rig(server.serverPort(), true);
  ASSERT_TRUE(rig.OpenTcp());
  ASSERT_TRUE(WaitFor([&] { return server.hasPendingConnections(); }));
  QTcpSocket* first = server.nextPendingConnection();
  first->abort();
  ASSERT_TRUE(WaitFor([&] { return server.hasPendingConnections(); }));
  EXPECT_TRUE(WaitFor([&] { return rig.link.Winsock1.State() == TcpState::Connected; }));
  EXPECT_TRUE(rig.leds.IsOn(&rig.IndTCPConOK));
}

TEST(TcpWatchdog, RefusedConnectionIsRetriedAtOnce) {
  quint16 port = 0;
  {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    port = probe.serverPort();
  }
  LinkRig rig(port);
  rig.comm.IPAddr = {127, 0, 0, 1, 0};
  rig.link.OpenPort(Port::Tcp);
  rig.leds.BlinkControl(false, true, &rig.IndTCPConOK);
  // The error event switches the LED off and closes the control.
  ASSERT_TRUE(WaitFor([&] { return rig.link.Winsock1.State() == TcpState::Closed; }));
  EXPECT_TRUE(rig.leds.IsOff(&rig.IndTCPConOK));
  rig.link.Timer2_Timer();
  EXPECT_NE(rig.link.Winsock1.State(), TcpState::Closed);
}

TEST(TcpWatchdog, ConnectionAttemptGetsItsTimeThenStartsAnew) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  LinkRig rig(server.serverPort());
  rig.comm.IPAddr = {127, 0, 0, 1, 0};
  int connections = 0;
  QObject::connect(&server, &QTcpServer::newConnection, [&] {
    while (server.hasPendingConnections()) {
      server.nextPendingConnection();
      ++connections;
    }
  });

  // Ticks while the attempt is still under way do not abort it.
  rig.link.OpenPort(Port::Tcp);
  for (int tick = 0; tick < 50; ++tick) rig.link.Timer2_Timer();
  ASSERT_TRUE(WaitFor([&] { return rig.link.Winsock1.State() == TcpState::Connected && connections > 0; }));
  WaitFor([] { return false; }, 100);
  EXPECT_EQ(connections, 1);

  // An attempt that outlasts its time is closed and started again.
  rig.link.ReconnectTCP();
  for (int tick = 0; tick < 100; ++tick) rig.link.Timer2_Timer();
  ASSERT_TRUE(WaitFor([&] { return rig.link.Winsock1.State() == TcpState::Connected; }));
  EXPECT_TRUE(WaitFor([&] { return connections == 3; }));
}

TEST(TcpWatchdog, LeavingTcpClosesTheConnectionOnTheNextTick) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  LinkRig rig(server.serverPort());
  ASSERT_TRUE(rig.OpenTcp());
  rig.link.OpenPort(Port::Offline);
  EXPECT_EQ(rig.link.Winsock1.State(), TcpState::Connected);
  rig.link.Timer2_Timer();
  EXPECT_EQ(rig.link.Winsock1.State(), TcpState::Closed);
  rig.link.Timer2_Timer();
  EXPECT_EQ(rig.link.Winsock1.State(), TcpState::Closed);  // nothing reconnects while not on TCP
}

}  // namespace
}  // namespace vt
