#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <tuple>

#include "platform/Cp1254.h"
#include "platform/TextFile.h"
#include "platform/WholeFile.h"
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

// Run as root, a save leaves an operator's file the operator's, with its
// mode as it was, and a file that no one may write as it is.
TEST(TextFiles, ARunAsRootKeepsOwnerAndModeAndLeavesAFileNoOneMayWrite) {
  if (geteuid() != 0) GTEST_SKIP() << "runs as root only";
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("kelbrin.cfg"));
  const QByteArray name = QFile::encodeName(path);
  for (const mode_t mode : {0644, 0460, 0444}) {
    ASSERT_TRUE(WriteTextLines(path, {QStringLiteral("old")}));
    ASSERT_TRUE(chown(name.constData(), 1000, 1001) == 0 && chmod(name.constData(), mode) == 0);
    EXPECT_EQ(WriteTextLines(path, {QStringLiteral("new")}), mode != 0444) << mode;
    EXPECT_EQ(ReadTextLines(path)->value(0), mode != 0444 ? "new" : "old") << mode;
    struct stat status {};
    ASSERT_EQ(stat(name.constData(), &status), 0);
    EXPECT_EQ(std::tuple(status.st_uid, status.st_gid, status.st_mode & 07777), std::tuple(1000u, 1001u, mode)) << mode;
  }
}

// A text pasted into a box may hold line breaks of any kind; each becomes a
// space, as many as the reader would have seen, and the lines after it stay
// where they are.
TEST(TextFiles, ALineBreakInsideALineIsWrittenAsASpace) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("lines.txt"));
  const struct {
    const char* text;
    QByteArray written;
  } rows[] = {{"a\r\nb", "a b"},       {"a\nb", "a b"},         {"a\rb", "a b"},       {"Halat-9\n", "Halat-9 "},
              {"\r\nb", " b"},         {"a\n\nb", "a  b"},      {"a\r\r\nb", "a  b"},  {"a\n\rb", "a  b"},
              {"\xc5\x9e\r\n\xc5\x9e", "\xDE \xDE"}};
  for (const auto& row : rows) {
    const QString text = QString::fromUtf8(row.text);
    ASSERT_TRUE(WriteTextLines(path, {QStringLiteral("first"), text, QStringLiteral("last")}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "first\r\n" + row.written + "\r\nlast\r\n") << row.text;
  }
}

// An installed program folder: the operator may change the files in it but
// not create files beside them.
class FolderWithoutNewFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(WriteTextLines(path, {QStringLiteral("old")}));
    const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther |
                     QFile::WriteOther;
    ASSERT_TRUE(QFile::setPermissions(path, all));
    ASSERT_TRUE(QFile::setPermissions(folder, kEnter));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), kEnter | QFile::WriteOwner));
  }
  void TearDown() override { QFile::setPermissions(folder, kEnter | QFile::WriteOwner); }

  enum Result { Written = 0, Refused = 1, StillRoot = 2 };
  // Runs the write with an operator's rights; `withoutFallocate`: on a file
  // system where the C library stands in for fallocate.
  static int AsOperator(const std::function<bool()>& write, bool withoutFallocate = false) {
    return test::RunInChild([&write, withoutFallocate] {
      if (!test::DropRootRights() || (withoutFallocate && !test::RefuseFallocate())) return int(StillRoot);
      return write() ? int(Written) : int(Refused);
    });
  }
  // The file's bytes, and those these lines are written as.
  QByteArray Content() const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  static QByteArray Bytes(const QStringList& lines) {
    return lines.isEmpty() ? "" : (lines.join("\r\n") + "\r\n").toLatin1();
  }

  static constexpr auto kEnter = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                 QFile::ReadOther | QFile::ExeOther;
  QTemporaryDir dir;
  const QString folder = dir.filePath(QStringLiteral("program"));
  const QString path = folder + QStringLiteral("/kelbrin.cfg");
};

// Written in place, the file holds the new text and nothing of the old one,
// whether the text grows or shrinks (each row writes over the one before),
// also where the C library claims the space.
TEST_F(FolderWithoutNewFiles, TextFilesAreWrittenInPlaceWhereTheFileAllows) {
  const QStringList blocks(100, QString(99, QLatin1Char('x')));  // three disk blocks
  const QStringList texts[] = {{"new", "lines"}, blocks, {"short"}, {"SHORT"}, {}, {"old"}};
  for (const bool withoutFallocate : {false, true}) {
    for (const QStringList& text : texts) {
      EXPECT_EQ(AsOperator([this, &text] { return WriteTextLines(path, text); }, withoutFallocate), Written);
      EXPECT_EQ(Content(), Bytes(text)) << withoutFallocate << " " << text.size();
    }
  }
  EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({QStringLiteral("kelbrin.cfg")}));
  // A file that is not there cannot be made in such a folder.
  EXPECT_EQ(AsOperator([this] { return WriteTextLines(folder + QStringLiteral("/serial.cfg"), {"new"}); }), Refused);
}

// Written in place, a file keeps its old text, and its old length, when the
// disk has no room for the new one, also after the C library's claim has
// lengthened it.
TEST_F(FolderWithoutNewFiles, AFileWrittenInPlaceThatDoesNotFitKeepsItsOldText) {
  const QStringList big(200, QString(100, QLatin1Char('x')));
  for (const bool withoutFallocate : {false, true}) {
    auto write = [this, &big] {
      test::FileSizeLimit limit(4096);
      return WriteTextLines(path, big);
    };
    EXPECT_EQ(AsOperator(write, withoutFallocate), Refused) << withoutFallocate;
    EXPECT_EQ(Content(), "old\r\n") << withoutFallocate;
  }
}

// A file of another owner, which the operator may write, is written in
// place, so it stays its owner's: a temporary file could not take that owner.
TEST_F(FolderWithoutNewFiles, AFileOfAnotherOwnerIsWrittenInPlace) {
  ASSERT_TRUE(QFile::setPermissions(folder, kEnter | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
  const uint owner = QFileInfo(path).ownerId();
  EXPECT_EQ(AsOperator([this] { return WriteTextLines(path, {QStringLiteral("new")}); }), Written);
  EXPECT_EQ(ReadTextLines(path), QStringList({QStringLiteral("new")}));
  EXPECT_EQ(QFileInfo(path).ownerId(), owner);
}

// A file that must be whole or absent (a picture) is never written in place.
TEST_F(FolderWithoutNewFiles, AWholeFileIsNotWrittenInPlace) {
  EXPECT_EQ(AsOperator([this] { return WriteWholeFile(path, "new\r\n"); }), Refused);
  EXPECT_EQ(ReadTextLines(path), QStringList({QStringLiteral("old")}));
  EXPECT_EQ(AsOperator([this] { return WriteWholeFile(path, "new\r\n", NoTemporaryFile::WriteInPlace); }), Written);
  EXPECT_EQ(ReadTextLines(path), QStringList({QStringLiteral("new")}));
}

}  // namespace
}  // namespace vt
