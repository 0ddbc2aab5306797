#include <gtest/gtest.h>

#include "settings/Formats.h"

namespace vt {
namespace {

TEST(DecimalPatterns, PatternsByDecimalCount) {
  EXPECT_EQ(GetDecFormat(0), QStringLiteral("#0"));
  EXPECT_EQ(GetDecFormat(3), QStringLiteral("#0.000"));
  EXPECT_EQ(GetDecFormat(6), QStringLiteral("#0.000000"));
  EXPECT_EQ(GetDecFormat(7), QStringLiteral("#0.000000"));
  EXPECT_EQ(GetDecFormat(9), QStringLiteral("#0.000000"));
  EXPECT_EQ(GetDecFormat(-1), QStringLiteral("#0."));
}

TEST(DecimalPatterns, FormattingByPattern) {
  EXPECT_EQ(FormatNumber(12.5, QStringLiteral("#0.00")), QStringLiteral("12.50"));
  EXPECT_EQ(FormatNumber(12, QStringLiteral("#0.")), QStringLiteral("12."));
  EXPECT_EQ(FormatNumber(100000, QStringLiteral("0.0")), QStringLiteral("100000.0"));
  EXPECT_EQ(FormatNumber(0.05, QStringLiteral("#0.00")), QStringLiteral("0.05"));
  EXPECT_EQ(FormatNumber(-0.2, QStringLiteral("#0.0")), QStringLiteral("-0.2"));
  EXPECT_EQ(FormatNumber(98.0665002864, QStringLiteral("#0.0")), QStringLiteral("98.1"));
  EXPECT_EQ(FormatNumber(0.196133, QStringLiteral("#0.0000")), QStringLiteral("0.1961"));
  EXPECT_EQ(FormatNumber(2.5, QStringLiteral("#0")), QStringLiteral("3"));  // halves away from zero
  EXPECT_EQ(FormatNumber(-0.04, QStringLiteral("#0.0")), QStringLiteral("0.0"));
  EXPECT_EQ(FormatNumber(1125, QStringLiteral("#0.0")), QStringLiteral("1125.0"));
}

TEST(DecimalPatterns, ScalingByDecimalCount) {
  EXPECT_EQ(ScaleByDP(24680, 2), QStringLiteral("246.80"));
  EXPECT_EQ(ScaleByDP(5, 2), QStringLiteral("0.05"));
  EXPECT_EQ(ScaleByDP(24680, 6), QStringLiteral("0.024680"));
  EXPECT_EQ(ScaleByDP(24680, 0), QStringLiteral("24680"));
  EXPECT_EQ(ScaleByDP(24680, 7), QStringLiteral("24680"));
}

TEST(Units, NamesOfTheIndicatorUnitCodes) {
  EXPECT_EQ(UnitName(0), QStringLiteral("g"));
  EXPECT_EQ(UnitName(6), QStringLiteral("kN"));
  EXPECT_EQ(UnitName(7), QStringLiteral("mV/V"));
  EXPECT_EQ(UnitName(8), QStringLiteral("V"));
  EXPECT_EQ(UnitName(9), QString());
  EXPECT_EQ(UnitName(12), QString());
  EXPECT_EQ(UnitName(-1), QString());
}

TEST(Packing, RegisterPairsAreTwosComplement) {
  EXPECT_EQ(Regs2Long(0, 5), 5);
  EXPECT_EQ(Regs2Long(65535, 65535), -1);
  EXPECT_EQ(Regs2Long(32768, 0), -2147483647 - 1);
  EXPECT_EQ(Regs2Long(32767, 65535), 2147483647);
  EXPECT_EQ(Regs2Long(1, 0), 65536);
}

TEST(Packing, TwentyFourBitValues) {
  std::int32_t b0 = 0, b1 = 0, b2 = 0;
  Dbl2Bytes(70000.4, b0, b1, b2);
  EXPECT_EQ(std::tie(b0, b1, b2), std::make_tuple(112, 17, 1));
  Dbl2Bytes(255.5, b0, b1, b2);
  EXPECT_EQ(std::tie(b0, b1, b2), std::make_tuple(0, 1, 0));
  Dbl2Bytes(2.5, b0, b1, b2);
  EXPECT_EQ(b0, 2);
  Dbl2Bytes(16777216, b0, b1, b2);
  EXPECT_EQ(std::tie(b0, b1, b2), std::make_tuple(0, 0, 0));
  Dbl2Bytes(-1, b0, b1, b2);
  EXPECT_EQ(std::tie(b0, b1, b2), std::make_tuple(-1, -1, -1));
  Split3Bytes(70000, b0, b1, b2);
  EXPECT_EQ(std::tie(b0, b1, b2), std::make_tuple(112, 17, 1));

  EXPECT_EQ(Bytes2Dbl(112, 17, 1), 70000);
  EXPECT_EQ(Bytes2Dbl(256, 0, 0), 0);
  EXPECT_EQ(Bytes2Dbl(-1, 0, 0), 255);
}

TEST(Packing, CommaToDot) {
  EXPECT_EQ(Comma2Dot(QStringLiteral("1,250,5")), QStringLiteral("1.250.5"));
  EXPECT_EQ(Comma2Dot(QString()), QString());
}

}  // namespace
}  // namespace vt
