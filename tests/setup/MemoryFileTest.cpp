// Reading parameter memory files: line ends and bounds.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "setup/MemoryFile.h"
#include "support/QStringPrinter.h"

namespace vt {
namespace {

TEST(MemoryFile, LinesEndAtCarriageReturnsAndReadingIsBounded) {
  struct Case {
    QByteArray bytes;
    QStringList firstLines;
    qsizetype count;
    bool complete;
  };
  const QByteArray cells = QByteArray("7\r").repeated(255) + "9";  // CR alone ends a line; the last needs none
  const Case cases[] = {
      {cells, {"7", "7"}, 256, true},
      {"1\n2\r\n3\r\n", {"1\n2", "3"}, 2, false},  // a lone LF stays in its line
      {"1\r\n2\n3\r", {"1", "2\n3"}, 2, false},    // also after a CR LF
      {QByteArray(256, '7') + "\r", {QString(256, '7')}, 1, false},  // the longest line
      {QByteArray(257, '7') + "\r", {}, 0, false},
      {QByteArray(1 << 20, 'x'), {}, 0, false},   // no line ends: read no further than one line's bound
      {QByteArray(1 << 20, '\r'), {"", ""}, 256, true},
  };
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("cells.mem"));
  for (const Case& c : cases) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(c.bytes);
    file.close();
    const auto text = ReadMemoryFile(path);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->lines.size(), c.count);
    EXPECT_EQ(text->lines.mid(0, c.firstLines.size()), c.firstLines);
    EXPECT_EQ(text->complete, c.complete);
  }
  EXPECT_FALSE(ReadMemoryFile(folder.filePath(QStringLiteral("missing.mem"))).has_value());
  EXPECT_FALSE(ReadMemoryFile(QStringLiteral("/dev/zero")).has_value());  // no regular file
}

TEST(MemoryFile, OnlyWholeNumbersOfAByteAreCellValues) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"0", 0}, {"255", 255}, {" 176 ", 176}, {"256", std::nullopt}, {"-1", std::nullopt},
      {"abc", std::nullopt}, {"", std::nullopt}, {"12abc", std::nullopt},
  };
  for (const auto& [line, value] : cases) EXPECT_EQ(MemoryCellValue(QString::fromLatin1(line)), value) << line;
}

}  // namespace
}  // namespace vt
