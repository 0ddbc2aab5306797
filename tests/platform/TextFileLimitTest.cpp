// Reading a text file no further than a byte limit.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/TextFile.h"

namespace vt {
namespace {

TEST(TextFileLimitTest, ReadingStopsAtTheLimit) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/lines.txt";
  ASSERT_TRUE(WriteTextLines(path, {"one", "two", "three"}));
  EXPECT_EQ(ReadTextLines(path, 7).value(), QStringList({"one", "tw"}));
  EXPECT_EQ(ReadTextLines(path, 0).value(), QStringList());
  EXPECT_EQ(ReadTextLines(path).value(), QStringList({"one", "two", "three"}));
  EXPECT_EQ(ReadTextLines(path, 1000).value(), QStringList({"one", "two", "three"}));
}

TEST(TextFileLimitTest, AnEndlessDeviceIsReadOnlyUpToTheLimit) {
  if (!QFile::exists("/dev/zero")) GTEST_SKIP() << "no /dev/zero";
  const auto lines = ReadTextLines("/dev/zero", 100000);
  ASSERT_TRUE(lines);
  ASSERT_EQ(lines->size(), 1);
  EXPECT_EQ(lines->front().size(), 100000);
}

}  // namespace
}  // namespace vt
