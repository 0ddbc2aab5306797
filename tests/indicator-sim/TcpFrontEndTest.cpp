// Modbus TCP through a real socket on the loopback.
#include <gtest/gtest.h>

#include "SimPeers.h"
#include "indicator-sim/IndicatorSim.h"

namespace vt::sim {
namespace {

using test::ReadPdu;
using test::Registers;
using test::TcpMaster;
using test::WriteManyPdu;
using test::WritePdu;

QByteArray Bytes(const char* hex) { return QByteArray::fromHex(hex); }

class TcpFrontEndTest : public ::testing::Test {
 protected:
  TcpFrontEndTest() {
    sim.Model().SetNoise(0);
    EXPECT_TRUE(sim.ListenTcp()) << sim.ErrorText().toStdString();
  }

  IndicatorSim sim;
};

TEST_F(TcpFrontEndTest, ListensOnAFreePort) {
  EXPECT_NE(sim.TcpPort(), 0);
  TcpMaster master(sim.TcpPort());
  EXPECT_TRUE(master.Connected());
  EXPECT_TRUE(test::WaitFor([&] { return sim.TcpConnections() == 1; }));
}

TEST_F(TcpFrontEndTest, PollAnswerIsTheTwelveRegistersBehindTheHeader) {
  sim.Model().SetLoad(23.4);
  TcpMaster master(sim.TcpPort());
  master.Send(EncodeFrame(Transport::Tcp, Adu{1, 0x0102, ReadPdu(0, 12)}));
  const QByteArray answer = master.Receive(33);
  ASSERT_EQ(answer.size(), 33);                            // 2 x 12 + 9
  EXPECT_EQ(answer.left(9), Bytes("01020000001B010318"));  // length 27: unit, function, count, data
  EXPECT_EQ(Registers(answer.mid(7))[8], 234);
}

TEST_F(TcpFrontEndTest, RequestSentByteByByteIsServedOnce) {
  TcpMaster master(sim.TcpPort());
  master.SendBytewise(EncodeFrame(Transport::Tcp, Adu{1, 1, WriteManyPdu(0, {Cmd::DeviceType, 0, 0})}));
  EXPECT_EQ(master.Receive(12), Bytes("000100000006011000000003"));
  EXPECT_EQ(sim.Server().Requests(), 1);
  EXPECT_EQ(sim.Model().Commands().back().code, Cmd::DeviceType);
}

TEST_F(TcpFrontEndTest, AnswersAnyUnitAndEchoesTheIdentifiers) {
  TcpMaster master(sim.TcpPort());
  master.Send(EncodeFrame(Transport::Tcp, Adu{0xF7, 0xFFFF, WritePdu(30, 5)}));
  const QByteArray answer = master.Receive(12);
  ASSERT_EQ(answer.size(), 12);
  const Adu adu = DecodeTcp(answer);
  EXPECT_EQ(adu.unit, 0xF7);
  EXPECT_EQ(adu.transaction, 0xFFFF);
  EXPECT_EQ(adu.pdu, WritePdu(30, 5));
}

TEST_F(TcpFrontEndTest, TwoRequestsInOneSegmentGetTwoAnswers) {
  TcpMaster master(sim.TcpPort());
  master.Send(EncodeFrame(Transport::Tcp, Adu{1, 1, WritePdu(30, 5)}) +
              EncodeFrame(Transport::Tcp, Adu{1, 2, ReadPdu(30, 1)}));
  const QByteArray answers = master.Receive(12 + 11);
  ASSERT_EQ(answers.size(), 23);
  EXPECT_EQ(answers.mid(12), Bytes("000200000005010302"
                                   "0005"));
}

TEST_F(TcpFrontEndTest, ExceptionAnswerForAnUnknownFunction) {
  TcpMaster master(sim.TcpPort());
  EXPECT_EQ(master.Ask(Bytes("0400000001")), Bytes("8401"));
  EXPECT_EQ(master.Ask(ReadPdu(63, 2)), Bytes("8302"));
}

TEST_F(TcpFrontEndTest, AHeaderThatIsNotModbusClosesTheConnection) {
  TcpMaster master(sim.TcpPort());
  master.Send(Bytes("00010001000601030000000C"));  // protocol identifier 1
  EXPECT_TRUE(test::WaitFor([&] { return !master.Connected(); }));
  EXPECT_EQ(sim.Server().Requests(), 0);
}

TEST_F(TcpFrontEndTest, CloseFaultDropsTheConnectionAndTheServerGoesOn) {
  sim.Faults().Rates().closeConnection = 1.0;
  TcpMaster master(sim.TcpPort());
  master.Send(EncodeFrame(Transport::Tcp, Adu{1, 1, WritePdu(30, 5)}));
  EXPECT_TRUE(test::WaitFor([&] { return !master.Connected(); }));
  EXPECT_EQ(sim.Model().Register(30), 0);
  EXPECT_TRUE(test::WaitFor([&] { return sim.TcpConnections() == 0; }));

  sim.Faults().Rates().closeConnection = 0.0;
  TcpMaster again(sim.TcpPort());
  EXPECT_EQ(again.Ask(WritePdu(30, 5)), WritePdu(30, 5));
}

TEST_F(TcpFrontEndTest, LateAnswerArrivesAfterItsDelay) {
  sim.Faults().Rates().late = 1.0;
  sim.Faults().lateMs = 300;
  TcpMaster master(sim.TcpPort());
  master.Send(EncodeFrame(Transport::Tcp, Adu{1, 1, WritePdu(30, 5)}));
  EXPECT_TRUE(master.Receive(12, 150).isEmpty());
  EXPECT_EQ(master.Receive(12, 5000).size(), 12);
}

TEST_F(TcpFrontEndTest, LateAnswerToAClosedConnectionIsForgotten) {
  sim.Faults().Rates().late = 1.0;
  sim.Faults().lateMs = 100;
  {
    TcpMaster master(sim.TcpPort());
    master.Send(EncodeFrame(Transport::Tcp, Adu{1, 1, WritePdu(30, 5)}));
    EXPECT_TRUE(test::WaitFor([&] { return sim.Server().Requests() == 1; }));
  }
  test::Pump(300);  // the delayed send finds no socket and must not crash
  EXPECT_TRUE(test::WaitFor([&] { return sim.TcpConnections() == 0; }));
}

TEST_F(TcpFrontEndTest, SecondServerOnATakenPortFails) {
  IndicatorSim other;
  EXPECT_FALSE(other.ListenTcp(sim.TcpPort()));
  EXPECT_FALSE(other.ErrorText().isEmpty());
  EXPECT_EQ(other.TcpPort(), 0);
}

TEST_F(TcpFrontEndTest, WholeTestRunSeenThroughThePoll) {
  sim.Model().SetBreakForce(120.0);
  sim.Model().SetTimeToBreak(2000);
  TcpMaster master(sim.TcpPort());
  EXPECT_EQ(master.Ask(WritePdu(0, Cmd::TestStart)), WritePdu(0, Cmd::TestStart));
  sim.Advance(1000);
  std::vector<int> poll = Registers(master.Ask(ReadPdu(0, 12)));
  ASSERT_EQ(poll.size(), 12u);
  EXPECT_EQ(poll[5], 0x0100);
  EXPECT_EQ(poll[8], 600);  // half-way, half the force
  sim.Model().AdvanceToBreak();
  poll = Registers(master.Ask(ReadPdu(0, 12)));
  EXPECT_EQ(poll[5], 0x0300);
  EXPECT_EQ(poll[10], 1200);
  EXPECT_EQ(poll[11], 0);
  EXPECT_EQ(poll[6], 1200);  // 600 counts a second for two seconds
  master.Ask(WritePdu(0, Cmd::TestStop));
  EXPECT_EQ(Registers(master.Ask(ReadPdu(5, 1)))[0], 0x0200);
}

}  // namespace
}  // namespace vt::sim
