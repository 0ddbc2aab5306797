// Reading a text file no further than a byte limit, and refusing one that
// holds what no text holds or is no regular file.
#include <gtest/gtest.h>

#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>

#include "platform/FileReading.h"
#include "platform/TextFile.h"
#include "support/NoRegularFiles.h"

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

// Opening a FIFO waits for a writer and a device may never end: every
// reading takes a regular file only, links followed, and refuses anything
// else at once.
TEST(TextFileLimitTest, OnlyARegularFileIsRead) {
  QTemporaryDir dir;
  const QStringList refused = test::MakeNoRegularFiles(dir.path()) << dir.path();
  ASSERT_EQ(refused.size(), 6);
  const QPixmap kept = QPixmap::fromImage(QImage(3, 2, QImage::Format_RGB32));
  for (const QString& path : refused) {
    SCOPED_TRACE(path.toStdString());
    EXPECT_FALSE(ReadTextLines(path, 100000));
    EXPECT_EQ(ReadTextFile(path, 100000).result, TextFileRead::NoRegularFile);
    EXPECT_FALSE(ReadWholeFile(path));
    QPixmap picture = kept;
    EXPECT_FALSE(LoadPicture(picture, path));
    EXPECT_EQ(picture.cacheKey(), kept.cacheKey());
  }
  const QString missing = dir.filePath("missing.txt");
  EXPECT_EQ(ReadTextFile(missing, 100).result, TextFileRead::CannotOpen);
  ASSERT_TRUE(WriteTextLines(missing, {"one", "two"}) && QFile::link(missing, dir.filePath("link.txt")));
  EXPECT_EQ(ReadTextLines(dir.filePath("link.txt")), QStringList({"one", "two"}));
  EXPECT_EQ(ReadTextFile(dir.filePath("link.txt"), 100).lines, QStringList({"one", "two"}));
  EXPECT_EQ(ReadWholeFile(dir.filePath("link.txt")), QByteArray("one\r\ntwo\r\n"));
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
