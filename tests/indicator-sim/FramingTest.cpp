// Frames of the three transports, checked against known bytes.
#include <gtest/gtest.h>

#include "indicator-sim/Framing.h"

namespace vt::sim {
namespace {

QByteArray Bytes(const char* hex) { return QByteArray::fromHex(hex); }

const QByteArray kPollPdu = Bytes("030000000C");  // read 12 registers from 0

TEST(Framing, ChecksOfThePollRequestAreTheKnownOnes) {
  EXPECT_EQ(Lrc(Bytes("01030000000C")), 0xF0);
  EXPECT_EQ(Crc16(Bytes("01030000000C")), 0xCF45);
  EXPECT_EQ(Lrc(QByteArray()), 0x00);
  EXPECT_EQ(Crc16(QByteArray()), 0xFFFF);
}

TEST(Framing, AnyMessageFollowedByItsCheckSumsToZero) {
  const QByteArray message = Bytes("0110000000030600080000FFFF");
  EXPECT_EQ(Lrc(message + char(Lrc(message))), 0);
  const quint16 crc = Crc16(message);
  EXPECT_EQ(Crc16(message + char(crc & 0xFF) + char(crc >> 8)), 0);
}

TEST(Framing, EncodesThePollRequestOnEachTransport) {
  const Adu poll{1, 0x1234, kPollPdu};
  EXPECT_EQ(EncodeFrame(Transport::Ascii, poll), QByteArray(":01030000000CF0\r\n"));
  EXPECT_EQ(EncodeFrame(Transport::Rtu, poll), Bytes("01030000000C45CF"));
  EXPECT_EQ(EncodeFrame(Transport::Tcp, poll), Bytes("123400000006"
                                                     "01"
                                                     "030000000C"));
}

TEST(Framing, AsciiFramesAreUpperCaseHex) {
  const QByteArray frame = EncodeFrame(Transport::Ascii, Adu{0xAB, 0, Bytes("03FFEE")});
  EXPECT_EQ(frame, QByteArray(":AB03FFEE65\r\n"));
}

TEST(Framing, DecodesWhatItEncodes) {
  const Adu answer{7, 0, Bytes("0306000100020003")};
  const std::optional<Adu> ascii = DecodeAscii(EncodeFrame(Transport::Ascii, answer).mid(1).chopped(2));
  ASSERT_TRUE(ascii);
  EXPECT_EQ(ascii->unit, 7);
  EXPECT_EQ(ascii->pdu, answer.pdu);
  const std::optional<Adu> rtu = DecodeRtu(EncodeFrame(Transport::Rtu, answer));
  ASSERT_TRUE(rtu);
  EXPECT_EQ(rtu->unit, 7);
  EXPECT_EQ(rtu->pdu, answer.pdu);
  const Adu tcp = DecodeTcp(EncodeFrame(Transport::Tcp, Adu{9, 0xFFFF, answer.pdu}));
  EXPECT_EQ(tcp.unit, 9);
  EXPECT_EQ(tcp.transaction, 0xFFFF);
  EXPECT_EQ(tcp.pdu, answer.pdu);
}

TEST(Framing, AsciiDecodingAcceptsLowerCaseAndRejectsBadText) {
  EXPECT_TRUE(DecodeAscii("01030000000cf0"));
  EXPECT_FALSE(DecodeAscii("01030000000CF1"));  // wrong LRC
  EXPECT_FALSE(DecodeAscii("01030000000CF"));   // odd length
  EXPECT_FALSE(DecodeAscii("0103000G000CF0"));  // not hex
  EXPECT_FALSE(DecodeAscii("01FF"));            // too short to carry a function
  EXPECT_FALSE(DecodeAscii(""));
}

TEST(Framing, RtuDecodingRejectsBadCrcAndShortFrames) {
  EXPECT_FALSE(DecodeRtu(Bytes("01030000000C45CE")));
  EXPECT_FALSE(DecodeRtu(Bytes("01030000000CCF45")));  // CRC high byte first
  EXPECT_FALSE(DecodeRtu(Bytes("0145")));
}

TEST(Framing, SpoiledFramesFailTheirCheck) {
  const Adu answer{1, 3, Bytes("03020001")};
  QByteArray ascii = EncodeFrame(Transport::Ascii, answer);
  SpoilCheck(Transport::Ascii, ascii);
  EXPECT_TRUE(ascii.startsWith(':'));
  EXPECT_TRUE(ascii.endsWith("\r\n"));
  EXPECT_FALSE(DecodeAscii(ascii.mid(1).chopped(2)));

  QByteArray rtu = EncodeFrame(Transport::Rtu, answer);
  SpoilCheck(Transport::Rtu, rtu);
  EXPECT_EQ(rtu.size(), 7);
  EXPECT_FALSE(DecodeRtu(rtu));

  QByteArray tcp = EncodeFrame(Transport::Tcp, answer);
  SpoilCheck(Transport::Tcp, tcp);
  EXPECT_NE(TcpFrameLength(tcp).value(), tcp.size());
}

TEST(Framing, TcpFrameLengthComesFromTheHeader) {
  const QByteArray frame = EncodeFrame(Transport::Tcp, Adu{1, 1, kPollPdu});
  EXPECT_FALSE(TcpFrameLength(frame.left(6)));
  EXPECT_EQ(TcpFrameLength(frame.left(7)).value(), 12);
  EXPECT_EQ(TcpFrameLength(Bytes("00010001000601")).value(), 0);  // protocol 1
  EXPECT_EQ(TcpFrameLength(Bytes("00010000000101")).value(), 0);  // no function code
  EXPECT_EQ(TcpFrameLength(Bytes("000100000100FF")).value(), 0);  // longer than any PDU
}

}  // namespace
}  // namespace vt::sim
