#include "station/GraphSnapshot.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include "StationFixture.h"
#include "support/FileSizeLimit.h"
#include "support/QStringPrinter.h"

namespace vt::test {
namespace {

struct GraphSnapshotTest : StationFixture {
  GraphSnapshotTest() {
    // Something to see on the picture: a grid and a short curve.
    program.comm.LinkOK = true;
    for (const char* value : {"1", "3", "2"}) {
      testPage.LabDispData->setText(QString::fromLatin1(value));
      curve.UpdateTestGraph();
    }
  }

  QString ExpectedFile() const { return folder.File(QStringLiteral("050320260907.BMP")); }

  GraphSnapshot snapshot{program, testPage};
};

TEST_F(GraphSnapshotTest, FileIsNamedAfterTheMinuteItWasTaken) {
  EXPECT_EQ(GraphSnapshot::SnapshotPath(QStringLiteral("/prog"), QDateTime(QDate(2026, 3, 5), QTime(9, 7, 59))),
            QStringLiteral("/prog/050320260907.BMP"));
  EXPECT_EQ(GraphSnapshot::SnapshotPath(QStringLiteral("/prog"), QDateTime(QDate(2025, 12, 31), QTime(17, 45))),
            QStringLiteral("/prog/311220251745.BMP"));
}

TEST_F(GraphSnapshotTest, EnterInTheGraphSavesItsPictureAsABitmap) {
  QTest::keyClick(testPage.Graph, Qt::Key_Return);
  ASSERT_TRUE(QFile::exists(ExpectedFile()));
  QImage saved;
  ASSERT_TRUE(saved.load(ExpectedFile(), "BMP"));
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), testPage.Graph->Picture());
  EXPECT_TRUE(dialogs.boxes.empty());

  // Within the same minute the file is replaced.
  testPage.Graph->Clear();
  snapshot.Graph_KeyPress(13);
  ASSERT_TRUE(saved.load(ExpectedFile(), "BMP"));
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), testPage.Graph->Picture());

  // A graph shrunk with its window is saved at its own size.
  testPage.show();
  testPage.resize(testPage.minimumSizeHint());
  QApplication::processEvents();
  snapshot.Graph_KeyPress(13);
  EXPECT_TRUE(saved.load(ExpectedFile(), "BMP") && saved.size() == QSize(400, 200));
}

TEST_F(GraphSnapshotTest, OtherKeysSaveNothing) {
  QTest::keyClick(testPage.Graph, Qt::Key_A);
  snapshot.Graph_KeyPress(32);
  EXPECT_EQ(QDir(folder.Path()).entryList({QStringLiteral("*.BMP")}, QDir::Files), QStringList());
}

TEST_F(GraphSnapshotTest, SnapshotThatCannotBeWrittenIsReportedAndTheProgramGoesOn) {
  program.programFolder = folder.File(QStringLiteral("no-such-folder"));
  snapshot.Graph_KeyPress(13);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, QStringLiteral("Cannot save graph picture"));
  EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("File System Error"));
  EXPECT_EQ(dialogs.boxes[0].style, MsgStyle::OkOnly);

  program.programFolder = folder.Path();
  snapshot.Graph_KeyPress(13);
  EXPECT_TRUE(QFile::exists(ExpectedFile()));
  EXPECT_EQ(dialogs.boxes.size(), 1u);
}

// A disk that fills up part-way through the picture: the box shows, and no
// cut-short file is left, neither in place of an earlier snapshot of the
// same minute nor as a new file or a temporary one.
TEST_F(GraphSnapshotTest, ASnapshotThatDoesNotFitIsReportedAndLeavesTheMinutesEarlierSnapshotAsItWas) {
  auto readSnapshot = [this] {
    QFile file(ExpectedFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  auto bitmaps = [this] {
    return QDir(folder.Path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".BMP"));
  };
  for (const bool earlier : {false, true}) {
    SCOPED_TRACE(earlier ? "over an earlier snapshot" : "as a new file");
    QFile::remove(ExpectedFile());
    dialogs.boxes.clear();
    if (earlier) snapshot.Graph_KeyPress(13);
    const QByteArray before = readSnapshot();
    ASSERT_EQ(before.isEmpty(), !earlier);
    testPage.Graph->Clear();  // a different picture of the same size
    {
      FileSizeLimit limit(100 * 1024);  // far less than the picture
      snapshot.Graph_KeyPress(13);
    }
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, QStringLiteral("Cannot save graph picture"));
    EXPECT_EQ(readSnapshot(), before);
    EXPECT_EQ(bitmaps(), earlier ? QStringList{QStringLiteral("050320260907.BMP")} : QStringList());
  }
}

}  // namespace
}  // namespace vt::test
