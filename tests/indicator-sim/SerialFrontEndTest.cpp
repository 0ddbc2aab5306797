// Modbus RTU and ASCII on the simulator's own pseudo-terminal.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QSerialPort>
#include <QTemporaryDir>

#include "SimPeers.h"
#include "indicator-sim/IndicatorSim.h"
#include "indicator-sim/SerialFrontEnd.h"

namespace vt::sim {
namespace {

using test::ReadPdu;
using test::Registers;
using test::SerialMaster;
using test::WriteManyPdu;
using test::WritePdu;

QByteArray Bytes(const char* hex) { return QByteArray::fromHex(hex); }

class SerialFrontEndTest : public ::testing::Test {
 protected:
  void Open(Transport mode) {
    sim.Model().SetNoise(0);
    ASSERT_TRUE(sim.OpenSerial(mode)) << sim.ErrorText().toStdString();
    master = std::make_unique<SerialMaster>(sim.SerialPath());
    ASSERT_TRUE(master->IsOpen());
  }
  // Sends the frame a few bytes at a time with pauses between the chunks.
  void SendInChunks(const QByteArray& frame, int size) {
    for (int at = 0; at < frame.size(); at += size) {
      master->Send(frame.mid(at, size));
      test::Pump(3);
    }
  }

  IndicatorSim sim;
  std::unique_ptr<SerialMaster> master;
};

TEST_F(SerialFrontEndTest, SlavePathIsAPseudoTerminal) {
  Open(Transport::Rtu);
  EXPECT_TRUE(sim.SerialPath().startsWith(QStringLiteral("/dev/pts/")));
}

TEST_F(SerialFrontEndTest, RtuPollInChunksGetsTheTwentyNineByteAnswer) {
  Open(Transport::Rtu);
  sim.Model().SetLoad(-0.2);
  SendInChunks(Bytes("01030000000C45CF"), 3);
  const QByteArray answer = master->Receive(29);
  ASSERT_EQ(answer.size(), 29);
  const std::optional<Adu> adu = DecodeRtu(answer);
  ASSERT_TRUE(adu);
  EXPECT_EQ(adu->unit, 1);
  const std::vector<int> registers = Registers(adu->pdu);
  EXPECT_EQ(registers[8], 0xFFFE);
  EXPECT_EQ(registers[9], 0xFFFF);
}

TEST_F(SerialFrontEndTest, AsciiPollInChunksGetsTheFiftySixDigitAnswer) {
  Open(Transport::Ascii);
  SendInChunks(":01030000000CF0\r\n", 4);
  const QByteArray answer = master->Receive(1 + 56 + 2);
  ASSERT_EQ(answer.size(), 59);
  EXPECT_TRUE(answer.startsWith(':'));
  EXPECT_TRUE(answer.endsWith("\r\n"));
  const std::optional<Adu> adu = DecodeAscii(answer.mid(1, 56));
  ASSERT_TRUE(adu);
  EXPECT_EQ(Registers(adu->pdu)[3], 0x0100);
}

TEST_F(SerialFrontEndTest, AsciiCommandRoundTrip) {
  Open(Transport::Ascii);
  master->Send(EncodeFrame(Transport::Ascii, Adu{1, 0, WriteManyPdu(0, {Cmd::Version})}));
  EXPECT_EQ(master->Receive(17), QByteArray(":011000000001EE\r\n"));
  for (int read = 0; read < 3; ++read) {
    master->Send(EncodeFrame(Transport::Ascii, Adu{1, 0, ReadPdu(0, 2)}));
    const std::optional<Adu> answer = DecodeAscii(master->Receive(19).mid(1, 16));
    ASSERT_TRUE(answer);
    const std::vector<int> registers = Registers(answer->pdu);
    EXPECT_EQ(registers[0], read < 2 ? Cmd::Version : Result::Done);
    EXPECT_EQ(registers[1], read < 2 ? 0 : 12);
  }
}

TEST_F(SerialFrontEndTest, OtherAddressesAreNotAnswered) {
  Open(Transport::Rtu);
  sim.SetAddress(7);
  master->Send(EncodeFrame(Transport::Rtu, Adu{1, 0, WritePdu(30, 1)}));
  EXPECT_TRUE(master->ReceiveFor(150).isEmpty());
  EXPECT_EQ(sim.Serial()->IgnoredRequests(), 1);
  EXPECT_EQ(sim.Model().Register(30), 0);
  master->Send(EncodeFrame(Transport::Rtu, Adu{7, 0, WritePdu(30, 1)}));
  EXPECT_EQ(master->Receive(8), EncodeFrame(Transport::Rtu, Adu{7, 0, WritePdu(30, 1)}));
}

TEST_F(SerialFrontEndTest, BadCrcIsNotAnsweredAndTheLineRecovers) {
  Open(Transport::Rtu);
  master->Send(Bytes("01030000000C45CE"));
  EXPECT_TRUE(master->ReceiveFor(150).isEmpty());
  EXPECT_EQ(sim.Serial()->BadFrames(), 1);
  master->Send(Bytes("01030000000C45CF"));
  EXPECT_EQ(master->Receive(29).size(), 29);
}

TEST_F(SerialFrontEndTest, UnknownFunctionOfUnknownLengthGetsAnExceptionAfterTheGap) {
  Open(Transport::Rtu);
  master->Send(EncodeFrame(Transport::Rtu, Adu{1, 0, Bytes("2B0E0100")}));
  EXPECT_EQ(master->Receive(5), EncodeFrame(Transport::Rtu, Adu{1, 0, Bytes("AB01")}));
}

TEST_F(SerialFrontEndTest, FaultsShowOnTheLine) {
  Open(Transport::Rtu);
  const QByteArray poll = Bytes("01030000000C45CF");
  sim.Faults().Rates().corruptCheck = 1.0;
  master->Send(poll);
  const QByteArray corrupt = master->Receive(29);
  EXPECT_EQ(corrupt.size(), 29);
  EXPECT_FALSE(DecodeRtu(corrupt));

  sim.Faults().SetRates({});
  sim.Faults().Rates().truncate = 1.0;
  master->Send(poll);
  EXPECT_EQ(master->ReceiveFor(150).size(), 14);

  sim.Faults().SetRates({});
  sim.Faults().Rates().drop = 1.0;
  master->Send(poll);
  EXPECT_TRUE(master->ReceiveFor(150).isEmpty());

  sim.Faults().SetRates({});
  sim.Faults().StartSilence(200);
  master->Send(poll);
  EXPECT_TRUE(master->ReceiveFor(100).isEmpty());
  EXPECT_TRUE(test::WaitFor([&] { return !sim.Faults().Silent(); }));
  master->Send(poll);
  EXPECT_TRUE(DecodeRtu(master->Receive(29)));
}

TEST_F(SerialFrontEndTest, LinkPointsAtTheSlaveAndGoesWithTheFrontEnd) {
  QTemporaryDir folder;
  const QString link = folder.filePath(QStringLiteral("COM1"));
  {
    IndicatorSim local;
    ASSERT_TRUE(local.OpenSerial(Transport::Ascii));
    ASSERT_TRUE(local.LinkSerial(link)) << local.ErrorText().toStdString();
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), local.SerialPath());
    // A stale link from an earlier run is replaced.
    ASSERT_TRUE(local.LinkSerial(link));
  }
  EXPECT_FALSE(QFileInfo(link).isSymLink());

  // A newer simulator that took the link over keeps it when the older ends.
  {
    IndicatorSim older;
    ASSERT_TRUE(older.OpenSerial(Transport::Rtu) && older.LinkSerial(link));
    ASSERT_TRUE(sim.OpenSerial(Transport::Rtu) && sim.LinkSerial(link));
  }
  EXPECT_EQ(QFileInfo(link).symLinkTarget(), sim.SerialPath());
}

TEST_F(SerialFrontEndTest, LinkRefusesToReplaceARealFile) {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("COM2"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  IndicatorSim local;
  EXPECT_FALSE(local.LinkSerial(path));  // no serial port yet
  ASSERT_TRUE(local.OpenSerial(Transport::Rtu));
  EXPECT_FALSE(local.LinkSerial(path));
  EXPECT_TRUE(QFileInfo(path).isFile());
}

TEST_F(SerialFrontEndTest, QSerialPortThroughTheLinkTalksToIt) {
  Open(Transport::Rtu);
  master.reset();
  QTemporaryDir folder;
  const QString link = folder.filePath(QStringLiteral("COM3"));
  ASSERT_TRUE(sim.LinkSerial(link));
  QSerialPort port;
  port.setPortName(QFileInfo(link).symLinkTarget());
  port.setBaudRate(9600);
  ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
  port.write(Bytes("01030000000C45CF"));
  QByteArray answer;
  test::WaitFor([&] {
    answer += port.readAll();
    return answer.size() >= 29;
  });
  EXPECT_TRUE(DecodeRtu(answer));
  // The port can be closed and opened again.
  port.close();
  ASSERT_TRUE(port.open(QIODevice::ReadWrite));
  port.write(Bytes("01030000000C45CF"));
  answer.clear();
  EXPECT_TRUE(test::WaitFor([&] {
    answer += port.readAll();
    return answer.size() >= 29;
  }));
}

}  // namespace
}  // namespace vt::sim
