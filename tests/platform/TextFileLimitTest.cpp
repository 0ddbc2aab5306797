// Reading a text file no further than a byte limit, and refusing one that
// holds what no text holds.
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

TEST(TextFileLimitTest, AFileHoldingAControlCharacterOtherThanTabCrAndLfIsNoTextFile) {
  QTemporaryDir dir;
  QFile file(dir.path() + "/file.txt");
  auto read = [&file](const QByteArray& bytes) {
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
    file.close();
    return ReadTextFile(file.fileName(), 1000000);
  };
  for (int byte = 0; byte < 256; ++byte) {
    const bool noText = (byte < 0x20 && !QByteArray("\t\n\r").contains(char(byte))) || byte == 0x7F ||
                        QByteArray("\x81\x8D\x8E\x8F\x90\x9D\x9E").contains(char(byte));  // undefined in the code page
    EXPECT_EQ(read(QByteArray("a") + char(byte)).result, noText ? TextFileRead::NotText : TextFileRead::Read) << byte;
  }
  EXPECT_EQ(read(QByteArray(200000, 'a') + '\x1B').result, TextFileRead::NotText);  // past the first block
  EXPECT_EQ(read("a\r\nb\tc\nd\re").lines, QStringList({"a", "b\tc", "d", "e"}));
  EXPECT_EQ(ReadTextFile(file.fileName(), 4).lines, QStringList({"a", "b"}));
}

}  // namespace
}  // namespace vt
