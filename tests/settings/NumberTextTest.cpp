#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "settings/NumberText.h"
#include "support/QStringPrinter.h"

namespace vt {
namespace {

TEST(LenientParse, TakesTheLongestLeadingNumberAndNeverFails) {
  EXPECT_EQ(Val(u" 12abc"), 12);
  EXPECT_EQ(Val(u"abc"), 0);
  EXPECT_EQ(Val(u"1,5"), 1);
  EXPECT_EQ(Val(u""), 0);
  EXPECT_EQ(Val(u"  -3.25 "), -3.25);
  EXPECT_EQ(Val(u"1 2 3"), 123);  // blanks are skipped wherever they stand
  EXPECT_EQ(Val(u"\t\n7"), 7);
  EXPECT_EQ(Val(u"1.2.3"), 1.2);  // one decimal point only
  EXPECT_EQ(Val(u".5"), 0.5);
  EXPECT_EQ(Val(u"-"), 0);
}

TEST(LenientParse, ExponentsAndRadixPrefixes) {
  EXPECT_EQ(Val(u"1.5E3"), 1500);
  EXPECT_EQ(Val(u"2D-2"), 0.02);
  EXPECT_EQ(Val(u"3E"), 3);   // an exponent without digits is not taken
  EXPECT_EQ(Val(u"&H1F"), 31);
  EXPECT_EQ(Val(u"&hFFFF"), -1);  // fits 16 bits: read as a signed 16-bit number
  EXPECT_EQ(Val(u"&H10000"), 65536);
  EXPECT_EQ(Val(u"&O17"), 15);
  EXPECT_EQ(Val(u"&O18"), 1);  // 8 is no octal digit
  EXPECT_EQ(Val(u"&X1"), 0);
  // Up to 32 bits as a signed number; beyond them an infinity, never 0.
  const double infinity = std::numeric_limits<double>::infinity();
  EXPECT_EQ(Val(u"&HFFFFFFFF"), -1);
  EXPECT_EQ(Val(u"&O37777777777"), -1);
  EXPECT_EQ(Val(u"&H100000000"), infinity);
  EXPECT_EQ(Val(u"&O40000000000"), infinity);
  EXPECT_EQ(Val(u"&H1000000000000000000000"), infinity);
  // Beyond a double's range: never 0, so range checks refuse it.
  EXPECT_EQ(Val(u"1E999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(Val(u"-1e400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(Val(u"1e-400"), 0);
}

TEST(StrictConversion, WholeTextMustBeANumberInTheFormatAsked) {
  const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
  struct Case {
    const char* text;
    std::optional<double> point;    // read with "." as the decimal sign
    std::optional<double> turkish;  // read in the Turkish number format
  };
  for (const Case& c : {Case{" 12.5 ", 12.5, std::nullopt}, Case{"12,5", std::nullopt, 12.5},
                        Case{"1,234", std::nullopt, 1.234}, Case{"1.234", 1.234, 1234}, Case{"", {}, {}},
                        Case{"12abc", {}, {}}, Case{"abc", {}, {}}, Case{"1E+999", {}, {}},
                        Case{"nan", {}, {}}, Case{"inf", {}, {}}, Case{"-inf", {}, {}}}) {
    EXPECT_EQ(StrictNumber(QString::fromLatin1(c.text), PointFormat()), c.point) << c.text;
    EXPECT_EQ(StrictNumber(QString::fromLatin1(c.text), turkish), c.turkish) << c.text;
  }
  EXPECT_EQ(StrictWhole(QStringLiteral("2.5"), 0, 10, PointFormat()), 2);  // halves go to the even neighbour
  EXPECT_EQ(StrictWhole(QStringLiteral("3,5"), 0, 10, turkish), 4);
  EXPECT_FALSE(StrictWhole(QStringLiteral("11"), 0, 10, PointFormat()).has_value());
  EXPECT_FALSE(StrictWhole(QStringLiteral("1E+300"), 0, 10, PointFormat()).has_value());
}

TEST(WholeNumbers, RoundIntoAnIntWithoutLeavingItsRange) {
  EXPECT_EQ(RoundToInt(2.5), 2);
  EXPECT_EQ(RoundToInt(-3.5), -4);
  EXPECT_EQ(RoundToInt(1e300), std::numeric_limits<int>::max());
  EXPECT_EQ(RoundToInt(-1e300), std::numeric_limits<int>::min());
  EXPECT_EQ(RoundToInt(std::nan("")), 0);
}

TEST(NumberText, PlainConversionKeepsFifteenSignificantDigits) {
  EXPECT_EQ(PlainNumber(0.0138888), QStringLiteral("0.0138888"));
  EXPECT_EQ(PlainNumber(13.8888), QStringLiteral("13.8888"));
  EXPECT_EQ(PlainNumber(0.0138888 * 1000), QStringLiteral("13.8888"));
  EXPECT_EQ(PlainNumber(-2), QStringLiteral("-2"));
  EXPECT_EQ(PlainNumber(0), QStringLiteral("0"));
  EXPECT_EQ(PlainNumber(1.0 / 3), QStringLiteral("0.333333333333333"));
  EXPECT_EQ(PlainNumber(1e-5), QStringLiteral("1E-05"));
}

TEST(NumberText, NumberInFullNeverUsesAnExponent) {
  EXPECT_EQ(NumberInFull(3e9), QStringLiteral("3000000000"));
  EXPECT_EQ(NumberInFull(1e20), QStringLiteral("100000000000000000000"));
  EXPECT_EQ(NumberInFull(1e-5), QStringLiteral("0.00001"));
  EXPECT_EQ(NumberInFull(-2.5), QStringLiteral("-2.5"));
  EXPECT_EQ(NumberInFull(1.0 / 3), QStringLiteral("0.333333333333333"));
  EXPECT_EQ(NumberInFull(0.5 / 0.02), QStringLiteral("25"));  // 15 significant digits
  EXPECT_EQ(NumberInFull(123456.75), QStringLiteral("123456.75"));
  EXPECT_EQ(NumberInFull(0), QStringLiteral("0"));
}

TEST(StrictConversion, PointFormatWhateverTheUsersLocale) {
  QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
  EXPECT_EQ(StrictNumber(QStringLiteral("0.5"), PointFormat()), 0.5);
  EXPECT_EQ(StrictNumber(QStringLiteral("5E-1"), PointFormat()), 0.5);
  EXPECT_FALSE(StrictNumber(QStringLiteral("0,5"), PointFormat()).has_value());
  EXPECT_FALSE(StrictNumber(QStringLiteral("1,000"), PointFormat()).has_value());
  EXPECT_FALSE(StrictNumber(QStringLiteral("1.000.5"), PointFormat()).has_value());
  QLocale::setDefault(QLocale::c());
}

TEST(NumberText, FreePrintFormatOfTheFiles) {
  EXPECT_EQ(FreePrint(1), QStringLiteral(" 1 "));
  EXPECT_EQ(FreePrint(-1), QStringLiteral("-1 "));
  EXPECT_EQ(FreePrint(0), QStringLiteral(" 0 "));
  EXPECT_EQ(FreePrint(0.5), QStringLiteral(" .5 "));
  EXPECT_EQ(FreePrint(-0.25), QStringLiteral("-.25 "));
  EXPECT_EQ(FreePrint(1500), QStringLiteral(" 1500 "));
}

}  // namespace
}  // namespace vt
