#include <gtest/gtest.h>

#include <limits>

#include "settings/ConfigFile.h"
#include "support/DefaultLocale.h"
#include "support/ProgramFolder.h"

namespace vt {
namespace {

TEST(ConfigReadBack, GraphFlagsAreZeroOrOne) {
  EXPECT_EQ(ConfigFlag(QString()), 0);
  EXPECT_EQ(ConfigFlag(QStringLiteral(" 0 ")), 0);
  EXPECT_EQ(ConfigFlag(QStringLiteral(" 1 ")), 1);
  EXPECT_EQ(ConfigFlag(QStringLiteral("7")), 1);
  EXPECT_EQ(ConfigFlagText(0), QStringLiteral(" 0 "));
  EXPECT_EQ(ConfigFlagText(-1), QStringLiteral(" 1 "));
}

TEST(ConfigReadBack, ListIndexesMustBeWholeNumbersInTheList) {
  EXPECT_EQ(ConfigListIndex(QStringLiteral(" 2 "), 3), 2);
  EXPECT_EQ(ConfigListIndex(QStringLiteral("-1 "), 3), -1);
  EXPECT_FALSE(ConfigListIndex(QStringLiteral(" 9 "), 3).has_value());
  EXPECT_FALSE(ConfigListIndex(QStringLiteral(" 3 "), 3).has_value());  // one past the last item
  EXPECT_FALSE(ConfigListIndex(QStringLiteral("abc"), 3).has_value());
  EXPECT_FALSE(ConfigListIndex(QString(), 3).has_value());
}

TEST(ConfigReadBack, AddressOctets) {
  EXPECT_EQ(ConfigOctet(QStringLiteral(" 192 ")), 192);
  EXPECT_EQ(ConfigOctet(QString()), 0);
  EXPECT_FALSE(ConfigOctet(QStringLiteral("300")).has_value());
  EXPECT_FALSE(ConfigOctet(QStringLiteral("256")).has_value());
  EXPECT_EQ(ConfigOctet(QStringLiteral("255")), 255);
  EXPECT_FALSE(ConfigOctet(QStringLiteral("-1")).has_value());
  EXPECT_FALSE(ConfigOctet(QStringLiteral("ten")).has_value());
}

// The file's numbers carry "." whatever the user's number format.
TEST(ConfigReadBack, PlcSpeedAndLenientNumbers) {
  const test::DefaultLocale user(test::kTurkish);
  EXPECT_EQ(ConfigPlcSpeed(QStringLiteral("100000")), QStringLiteral("100000.0"));
  EXPECT_EQ(ConfigPlcSpeed(QStringLiteral("12.25")), QStringLiteral("12.3"));
  EXPECT_EQ(ConfigPlcSpeed(QStringLiteral("fast")), QStringLiteral("fast"));
  EXPECT_EQ(ConfigPlcSpeed(QString()), QString());
  EXPECT_EQ(ConfigRounded(QStringLiteral(" 1 ")), 1);
  EXPECT_EQ(ConfigRounded(QStringLiteral("RTU")), 0);
  EXPECT_EQ(ConfigRounded(QStringLiteral("1E+300")), std::numeric_limits<int>::max());
  EXPECT_EQ(ConfigRounded(QStringLiteral("-1E+300")), std::numeric_limits<int>::min());
  EXPECT_FALSE(ConfigListIndex(QStringLiteral("1E+300"), 3).has_value());
  EXPECT_EQ(ConfigNumber(QStringLiteral(" 63158 ")), 63158);
  EXPECT_EQ(ConfigNumberText(-1), QStringLiteral("-1 "));
}

TEST(ConfigFile, ReadsAtMostThirtySixLines) {
  test::ProgramFolder folder(false);
  QStringList lines;
  for (int i = 1; i <= 40; ++i) lines << QString::number(i);
  folder.WriteLines(QStringLiteral("kelbrin.cfg"), lines);
  const auto record = ReadConfigFile(ConfigFilePath(folder.Path()));
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->lines.size(), 36);
  EXPECT_TRUE(record->Has(36));
  EXPECT_FALSE(record->Has(37));
  EXPECT_EQ(record->At(36), QStringLiteral("36"));
  EXPECT_FALSE(ReadConfigFile(folder.File(QStringLiteral("none.cfg"))).has_value());
}

}  // namespace
}  // namespace vt
