// The simulator as a whole: its clock and both front ends at once.
#include <gtest/gtest.h>

#include "SimPeers.h"
#include "indicator-sim/IndicatorSim.h"

namespace vt::sim {
namespace {

TEST(IndicatorSim, ClockMovesTimeOnByItself) {
  IndicatorSim sim;
  sim.Model().SetNoise(0);
  sim.Model().SetEncoderRate(1000);
  sim.Model().SetTimeToBreak(60000);
  sim.Model().WriteRegisters(0, {Cmd::TestStart});
  sim.StartClock(10);
  EXPECT_TRUE(test::WaitFor([&] { return sim.Model().Encoder() >= 100; }, 10000));
  sim.StopClock();
  const quint16 stopped = sim.Model().Encoder();
  test::Pump(100);
  EXPECT_EQ(sim.Model().Encoder(), stopped);
}

TEST(IndicatorSim, TcpAndSerialServeTheSameIndicator) {
  IndicatorSim sim;
  ASSERT_TRUE(sim.ListenTcp());
  ASSERT_TRUE(sim.OpenSerial(Transport::Rtu));
  test::TcpMaster tcp(sim.TcpPort());
  test::SerialMaster serial(sim.SerialPath());
  tcp.Ask(test::WritePdu(40, 1234));
  serial.Send(EncodeFrame(Transport::Rtu, Adu{1, 0, test::ReadPdu(40, 1)}));
  const std::optional<Adu> answer = DecodeRtu(serial.Receive(7));
  ASSERT_TRUE(answer);
  EXPECT_EQ(test::Registers(answer->pdu), std::vector<int>{1234});
  EXPECT_EQ(sim.Server().Requests(), 2);
}

TEST(IndicatorSim, ReopeningTheSerialSideGivesANewTerminal) {
  IndicatorSim sim;
  sim.SetAddress(3);
  ASSERT_TRUE(sim.OpenSerial(Transport::Rtu));
  const QString first = sim.SerialPath();
  ASSERT_TRUE(sim.OpenSerial(Transport::Ascii));
  EXPECT_NE(sim.SerialPath(), first);
  test::SerialMaster serial(sim.SerialPath());
  serial.Send(EncodeFrame(Transport::Ascii, Adu{3, 0, test::WritePdu(40, 1)}));
  EXPECT_EQ(serial.Receive(17), EncodeFrame(Transport::Ascii, Adu{3, 0, test::WritePdu(40, 1)}));
}

}  // namespace
}  // namespace vt::sim
