#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include "platform/Cp1254.h"
#include "platform/TextFile.h"
#include "support/ChildProcess.h"
#include "support/FileSizeLimit.h"

namespace vt {
namespace {

TEST(Cp1254, TurkishLettersRoundTripThroughTheirCodePageBytes) {
  const QString turkish = QStringLiteral("ıİşŞğĞçÇöÖüÜ");
  const QByteArray bytes = ToCp1254(turkish);
  EXPECT_EQ(bytes, QByteArray("\xFD\xDD\xFE\xDE\xF0\xD0\xE7\xC7\xF6\xD6\xFC\xDC"));
  EXPECT_EQ(FromCp1254(bytes), turkish);
}

TEST(Cp1254, HighControlRangeAndUnmappableCharacters) {
  EXPECT_EQ(FromCp1254("\x80\x93\x94"), QStringLiteral("€“”"));
  EXPECT_EQ(ToCp1254(QStringLiteral("€")), QByteArray("\x80"));
  // Characters outside the code page are written as "?".
  EXPECT_EQ(ToCp1254(QStringLiteral("a→b")), QByteArray("a?b"));
  // Bytes the code page leaves undefined still read back as one character each.
  EXPECT_EQ(FromCp1254("\x81").size(), 1);
}

TEST(TextFiles, WritesCrLfAfterEveryLineAndReadsAnyLineEnd) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("lines.txt"));
  ASSERT_TRUE(WriteTextLines(path, {QStringLiteral(" 1 "), QString(), QStringLiteral("Şişe")}));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray(" 1 \r\n\r\n\xDE" "i\xFE" "e\r\n"));
  file.close();

  EXPECT_EQ(ReadTextLines(path), QStringList({QStringLiteral(" 1 "), QString(), QStringLiteral("Şişe")}));

  QFile mixed(dir.filePath(QStringLiteral("mixed.txt")));
  ASSERT_TRUE(mixed.open(QIODevice::WriteOnly));
  mixed.write("a\nb\rc\r\nd");
  mixed.close();
  EXPECT_EQ(ReadTextLines(mixed.fileName()), QStringList({"a", "b", "c", "d"}));
  EXPECT_FALSE(ReadTextLines(dir.filePath(QStringLiteral("missing.txt"))).has_value());
}

TEST(TextFiles, AFailedWriteLeavesTheOldFileWhole) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("kept.txt"));
  ASSERT_TRUE(WriteTextLines(path, {QStringLiteral("old")}));
  const QStringList big(200, QString(100, QLatin1Char('x')));
  {
    test::FileSizeLimit limit(4096);  // the disk "fills up" after 4 KiB
    EXPECT_FALSE(WriteTextLines(path, big));
  }
  EXPECT_EQ(ReadTextLines(path), QStringList({QStringLiteral("old")}));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({QStringLiteral("kept.txt")}));
}

// An installed program folder: the operator may change the configuration
// file but not create files beside it.
TEST(TextFiles, AFolderThatRefusesNewFilesIsWrittenInPlaceWhereTheFileAllows) {
  QTemporaryDir dir;
  const QString folder = dir.filePath(QStringLiteral("program"));
  ASSERT_TRUE(QDir().mkdir(folder));
  const QString path = folder + QStringLiteral("/kelbrin.cfg");
  ASSERT_TRUE(WriteTextLines(path, {QStringLiteral("old")}));
  const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther |
                   QFile::WriteOther;
  const auto enter = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                     QFile::ExeOther;
  ASSERT_TRUE(QFile::setPermissions(path, all));
  ASSERT_TRUE(QFile::setPermissions(folder, enter));
  ASSERT_TRUE(QFile::setPermissions(dir.path(), enter | QFile::WriteOwner));

  enum Result { Written = 0, Refused = 1, StillRoot = 2 };
  auto writeAsOperator = [](const QString& target) {
    return test::RunInChild([&target] {
      if (!test::DropRootRights()) return int(StillRoot);
      return WriteTextLines(target, {QStringLiteral("new"), QStringLiteral("lines")}) ? int(Written) : int(Refused);
    });
  };
  EXPECT_EQ(writeAsOperator(path), Written);
  EXPECT_EQ(ReadTextLines(path), QStringList({QStringLiteral("new"), QStringLiteral("lines")}));
  EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({QStringLiteral("kelbrin.cfg")}));
  // A file that is not there cannot be made in such a folder.
  EXPECT_EQ(writeAsOperator(folder + QStringLiteral("/serial.cfg")), Refused);
  QFile::setPermissions(folder, enter | QFile::WriteOwner);
}

}  // namespace
}  // namespace vt
