#include <gtest/gtest.h>

#include <array>

#include "link/FrameText.h"

namespace vt {
namespace {

TEST(FrameText, HexFieldsAreUpperCaseWithFixedWidths) {
  EXPECT_EQ(Hex2(5), "05");
  EXPECT_EQ(Hex2(255), "FF");
  EXPECT_EQ(Hex2(0), "00");
  EXPECT_EQ(Hex2(256), "100");  // not masked
  EXPECT_EQ(Hex4(12), "000C");
  EXPECT_EQ(Hex4(70000), "1170");  // cut to 16 bits
  EXPECT_EQ(Hex4(-1), "FFFF");
  EXPECT_EQ(CRCHex(0xCF45), "45CF");
  EXPECT_EQ(CRCHex(0x0102), "0201");
}

TEST(FrameText, PollRequestChecksForSlaveOne) {
  EXPECT_EQ(AppendLRC("01030000000C"), "01030000000CF0");
  EXPECT_EQ(AppendCRC("01030000000C"), "01030000000C45CF");
  EXPECT_EQ(AppendLRC(""), "00");
}

TEST(FrameText, AppendedChecksCancelOut) {
  const char* bodies[] = {"01", "01100000000306000800000000", "FF00FF00", "1103006B0003", "0106000100037abc"};
  for (const char* body : bodies) {
    const QString lrc = AppendLRC(QString::fromLatin1(body));
    EXPECT_EQ(PairSum(lrc) % 256, 0) << body;
    const QString crc = AppendCRC(QString::fromLatin1(body));
    EXPECT_EQ(PairCRC(crc), 0) << body;
  }
}

TEST(FrameText, Crc16MatchesTheModbusCheckValue) {
  // The Modbus CRC of the ASCII digits "123456789" is 4B37h.
  int crc = -1;
  for (char c : QByteArray("123456789")) crc = CRC16Update(crc, c);
  EXPECT_EQ(crc, 0x4B37);
}

TEST(FrameText, PairsAreReadLeniently) {
  EXPECT_EQ(PairValue(u"ab"), 0xAB);
  EXPECT_EQ(PairValue(u"ff"), 255);
  EXPECT_EQ(PairValue(u"1G"), 1);
  EXPECT_EQ(PairValue(u"G1"), 0);
  EXPECT_EQ(PairValue(u"7"), 7);
  EXPECT_EQ(PairCount(u"ABC"), 2);
  EXPECT_EQ(PairAt(u"ABC", 1), 0xC);  // odd length ends with a one-digit pair
  EXPECT_EQ(AppendLRC("0"), "000");
  EXPECT_EQ(AppendLRC("01:"), "01:FF");  // ":" reads as 0
}

TEST(FrameText, HexToBytesTrimsAndStaysInsideTheBuffer) {
  std::array<std::uint8_t, 4> buffer{9, 9, 9, 9};
  EXPECT_EQ(HexToBytes(" 0110 ", buffer), 2);
  EXPECT_EQ(buffer[0], 1);
  EXPECT_EQ(buffer[1], 16);
  EXPECT_EQ(buffer[2], 9);

  std::array<std::uint8_t, 3> guarded{};
  std::array<std::uint8_t, 2> small{};
  EXPECT_EQ(HexToBytes("AABBCCDD", small), 2);
  EXPECT_EQ(small[1], 0xBB);
  EXPECT_EQ(guarded, (std::array<std::uint8_t, 3>{}));
}

TEST(FrameText, BytesToHexTakesTheFirstCount) {
  const QByteArray bytes("\x00\x0A\xFF", 3);
  EXPECT_EQ(BytesToHex(bytes, 3), "000AFF");
  EXPECT_EQ(BytesToHex(bytes, 2), "000A");
  EXPECT_EQ(BytesToHex(bytes, 0), "");
  EXPECT_EQ(BytesToHex(bytes, 9), "000AFF");
}

}  // namespace
}  // namespace vt
