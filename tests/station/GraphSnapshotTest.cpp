#include "station/GraphSnapshot.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include "StationFixture.h"

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

}  // namespace
}  // namespace vt::test
