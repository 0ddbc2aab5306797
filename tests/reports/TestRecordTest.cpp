// The record format on its own: lines written from the fields and read back.
#include "reports/TestRecord.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <random>

#include "station/Graphic.h"
#include "support/DefaultLocale.h"
#include "support/QStringPrinter.h"

namespace vt {
namespace {


TestRecord SampleRecord() {
  TestRecord r;
  r.humidity = "45";
  r.temperature = "23,5";
  r.productName = "Çelik halat Ø8";
  r.customerName = "Müşteri A.Ş.";
  r.location = "İzmir";
  r.dimensionW = "20";
  r.dimensionH = "10";
  r.dimensionL = "150";
  r.testStart = "05.03.2026 09:00:00";
  r.testStop = "05.03.2026 09:01:30";
  r.distance = "13.8888";
  r.displacementSpeed = "91.666";
  r.timePassSeconds = "90.5";
  r.holdVal = "1234.5";
  r.graphUnit = 2;
  r.machineType = 1;
  r.stepVal = "0.0138888";
  r.testDistance = "1100";
  r.timeLog = {"90.5sn", "67.9sn", "45.3sn", "22.6sn", "0sn"};
  r.gap = "100";
  r.reportTensileVals = {"1150", "1000", "1225"};
  r.companyHdr = {"VorTEST Ltd.", "Kalite Laboratuvarı"};
  r.plcSettings = "9600,e,7,1";
  r.plcPort = 2;
  r.plcSpeed = "50";
  r.samples = {-50.0, -50.0, 0.0, 0.5, 10.25, -3.75, 1234.5, 1e-5, 123456789012345.0};
  r.sampleCountLine = double(r.samples.size()) - 1;
  return r;
}

TEST(RecordNameTest, DateTimeAndProductAsTypedWithPathAndControlCharactersReplaced) {
  const QDateTime now(QDate(2026, 3, 5), QTime(21, 7, 9));
  EXPECT_EQ(RecordName(now, "Çelik halat Ø8"), "20260305_210709_Çelik halat Ø8");
  EXPECT_EQ(RecordName(now, ""), "20260305_210709_");
  EXPECT_EQ(RecordName(now, "  a.b  "), "20260305_210709_  a.b  ");
  EXPECT_EQ(RecordName(now, "../../etc/passwd"), "20260305_210709_.._.._etc_passwd");
  EXPECT_EQ(RecordName(now, QString("tab\there\nnew") + QChar(0) + QChar(0x7F) + QChar(0x85)),
            "20260305_210709_tab_here_new___");
  EXPECT_EQ(RecordName(QDateTime(QDate(2026, 12, 31), QTime(0, 0, 0)), "x"), "20261231_000000_x");
}

TEST(RecordLinesTest, LinesFollowTheTableInTheFreePrintFormat) {
  const QStringList lines = RecordLines(SampleRecord());
  ASSERT_EQ(lines.size(), 35 + 8);
  EXPECT_EQ(lines[0], "45");
  EXPECT_EQ(lines[2], "Çelik halat Ø8");
  EXPECT_EQ(lines[13], "1234.5");
  EXPECT_EQ(lines[14], " 2 ");
  EXPECT_EQ(lines[15], " 1 ");
  EXPECT_EQ(lines[16], "0.0138888");
  EXPECT_EQ(lines[17], "1100");
  EXPECT_EQ(lines.mid(18, 5), QStringList({"90.5sn", "67.9sn", "45.3sn", "22.6sn", "0sn"}));
  EXPECT_EQ(lines[23], "100");
  EXPECT_EQ(lines.mid(24, 3), QStringList({"1150", "1000", "1225"}));
  EXPECT_EQ(lines.mid(27, 2), QStringList({"VorTEST Ltd.", "Kalite Laboratuvarı"}));
  EXPECT_EQ(lines[29], "9600,e,7,1");
  EXPECT_EQ(lines[30], " 2 ");
  EXPECT_EQ(lines[31], "50");
  EXPECT_EQ(lines[32], "The Records");
  EXPECT_EQ(lines[33], " 8 ");
  EXPECT_EQ(lines.mid(34), QStringList({"-50 ", "-50 ", " 0 ", " .5 ", " 10.25 ", "-3.75 ", " 1234.5 ",
                                        " 1E-05 ", " 123456789012345 "}));
  // A control character pasted into a box, but tab, would make a file no record can be.
  TestRecord pasted = SampleRecord();
  pasted.location = QString("İz") + QChar(0) + "mir\a\t" + QChar(0x85);
  EXPECT_EQ(RecordLines(pasted)[4], "İz mir \t ");
}

TEST(RecordLinesTest, WrittenWithAPointAndReadBackTheSameWhateverTheUsersFormat) {
  for (const QLocale& locale : {QLocale::c(), test::kTurkish}) {
    const test::DefaultLocale user(locale);
    const TestRecord written = SampleRecord();
    const QStringList lines = RecordLines(written);
    EXPECT_EQ(lines.mid(37, 2), QStringList({" .5 ", " 10.25 "}));
    EXPECT_EQ(lines[1], "23,5");  // texts stay as typed
    const TestRecord read = ParseRecordLines(lines);
    // Every field is written, so the same lines mean the same fields.
    EXPECT_EQ(RecordLines(read), lines);
    EXPECT_EQ(read.samples, written.samples);
    EXPECT_EQ(read.graphUnit, 2);
    EXPECT_EQ(read.lastLineRead, lines.last());
  }
}

// Records written where "," was the decimal sign.
TEST(RecordLinesTest, NumbersWithADecimalCommaReadBackTheSame) {
  QStringList lines = RecordLines(SampleRecord());
  lines = lines.mid(0, 38);
  lines[14] = " 2,0 ";
  lines[33] = " 3 ";
  lines[37] = "-3,75 ";
  const TestRecord read = ParseRecordLines(lines);
  EXPECT_EQ(read.graphUnit, 2);
  EXPECT_EQ(read.samples[3], -3.75);
  // The live value shows the last sample with a point, as the curve reads it.
  EXPECT_EQ(read.lastLineRead, "-3.75 ");
  EXPECT_EQ(RecordNumber(" 1.234,5 "), std::nullopt);
}

TEST(RecordLinesTest, SamplesBeyondTheBufferAreNotWritten) {
  TestRecord r = SampleRecord();
  r.samples.assign(kSampleSlots + 10, 1.0);
  r.sampleCountLine = kSampleSlots + 9;
  EXPECT_EQ(RecordLines(r).size(), 34 + kSampleSlots);
}

TEST(SampleCountTest, SampleLinesAndTheCountLeftForTheCurve) {
  EXPECT_EQ(SampleLines(-1), 0);
  EXPECT_EQ(SampleLines(0), 1);
  EXPECT_EQ(SampleLines(1), 2);
  EXPECT_EQ(SampleLines(2.7), 3);
  EXPECT_EQ(SampleLines(25000), kSampleSlots);
  EXPECT_EQ(SampleLines(1e300), kSampleSlots);

  EXPECT_EQ(SampleCountAfterReading(0), 0);
  EXPECT_EQ(SampleCountAfterReading(1), 0);
  EXPECT_EQ(SampleCountAfterReading(2), 1);
  EXPECT_EQ(SampleCountAfterReading(5000), 4999);
  EXPECT_EQ(SampleCountAfterReading(25000), 24999);
  EXPECT_EQ(SampleCountAfterReading(25001), 24999);
  EXPECT_EQ(SampleCountAfterReading(1e300), 24999);
  EXPECT_EQ(SampleCountAfterReading(-7), 0);
  EXPECT_EQ(SampleCountAfterReading(2.5), 1);
}

TEST(ParseRecordLinesTest, ShortFileGivesEveryMissingLineTheLastOneThere) {
  QStringList lines = RecordLines(SampleRecord()).mid(0, 20);  // up to the second time label
  const TestRecord r = ParseRecordLines(lines);
  EXPECT_EQ(r.holdVal, "1234.5");
  EXPECT_EQ(r.timeLog[0], "90.5sn");
  EXPECT_EQ(r.timeLog[1], "67.9sn");
  EXPECT_EQ(r.timeLog[4], "67.9sn");
  EXPECT_EQ(r.gap, "67.9sn");
  EXPECT_EQ(r.companyHdr[1], "67.9sn");
  EXPECT_EQ(r.sampleCountLine, 67.9);  // the lenient parse of the last line
  ASSERT_EQ(r.samples.size(), 68u);
  for (const auto& sample : r.samples) EXPECT_FALSE(sample);  // "67.9sn" is no number
  EXPECT_EQ(r.lastLineRead, "67.9sn");

  const TestRecord empty = ParseRecordLines({});
  EXPECT_EQ(empty.humidity, "");
  EXPECT_EQ(empty.sampleCountLine, 0);
  EXPECT_EQ(empty.samples.size(), 1u);
  EXPECT_FALSE(empty.graphUnit);
}

TEST(ParseRecordLinesTest, ALineLongerThanATextBoxHoldsIsCut) {
  QStringList lines = RecordLines(SampleRecord());
  lines[8] = QString(40000, 'x');  // the test start label
  EXPECT_EQ(ParseRecordLines(lines).testStart, QString(QLineEdit().maxLength(), 'x'));
}

TEST(ParseRecordLinesTest, CountLineIsReadLenientlyAndBoundsTheSamplesRead) {
  QStringList lines = RecordLines(SampleRecord());
  lines[33] = "abc";
  TestRecord r = ParseRecordLines(lines);
  EXPECT_EQ(r.sampleCountLine, 0);
  ASSERT_EQ(r.samples.size(), 1u);
  EXPECT_EQ(r.samples[0], -50.0);
  EXPECT_EQ(r.lastLineRead, "-50 ");

  lines[33] = " 3 extra";
  r = ParseRecordLines(lines);
  EXPECT_EQ(r.samples.size(), 4u);
  EXPECT_EQ(r.lastLineRead, " .5 ");  // lines after the count's samples are never read

  lines[33] = " 1E+09 ";
  r = ParseRecordLines(lines);
  EXPECT_EQ(r.samples.size(), size_t(kSampleSlots));
  EXPECT_EQ(r.samples[8], 123456789012345.0);
  EXPECT_EQ(r.samples[9], 123456789012345.0);  // past the end: the last line again
  EXPECT_EQ(r.samples.back(), 123456789012345.0);

  lines[33] = "-4 ";
  r = ParseRecordLines(lines);
  EXPECT_TRUE(r.samples.empty());
  EXPECT_EQ(r.lastLineRead, "-4 ");
}

TEST(ParseRecordLinesTest, LinesThatAreNoNumbersLeaveTheirTargetsAlone) {
  QStringList lines = RecordLines(SampleRecord());
  lines[14] = "kg";
  lines[15] = " 40000 ";  // beyond a 16-bit whole number
  lines[35] = "x";
  lines[36] = "";
  lines[37] = " 1.5.0 ";
  const TestRecord r = ParseRecordLines(lines);
  EXPECT_FALSE(r.graphUnit);
  EXPECT_FALSE(r.machineType);
  EXPECT_EQ(r.samples[0], -50.0);
  EXPECT_FALSE(r.samples[1]);
  EXPECT_FALSE(r.samples[2]);
  EXPECT_FALSE(r.samples[3]);
  EXPECT_EQ(r.samples[4], 10.25);
  EXPECT_EQ(RecordLines(r)[35], QStringLiteral(" 0 "));  // a sample not read is written back as 0
  EXPECT_EQ(ParseRecordLines(RecordLines(SampleRecord())).graphUnit, 2);
}

// Random lines of every kind: the parse never reads more samples than the
// buffer holds and always leaves a count the curve can use.
TEST(ParseRecordLinesTest, RandomLinesNeverOverrunTheBuffer) {
  std::mt19937 random(20260305);
  const QStringList pieces = {" 1 ", "-1 ", " 25000 ", " 1E+300 ", "-1E+300 ", " 4.5 ", "abc", "",
                              " 24999 ", " 99999999 ", "&HFFFF", " .5 ", "1,5", "-0", " nan ", " inf "};
  for (int round = 0; round < 400; ++round) {
    QStringList lines;
    const int count = std::uniform_int_distribution<int>(0, 120)(random);
    for (int i = 0; i < count; ++i) {
      if (random() % 4 == 0) {
        QString junk;
        const int length = random() % 12;
        for (int k = 0; k < length; ++k) junk += QChar(char16_t(random() % 0x300));
        lines << junk;
      } else {
        lines << pieces[random() % pieces.size()];
      }
    }
    const TestRecord r = ParseRecordLines(lines);
    ASSERT_LE(r.samples.size(), size_t(kSampleSlots));
    const double left = SampleCountAfterReading(r.sampleCountLine);
    ASSERT_GE(left, 0);
    ASSERT_LE(left, kSampleSlots - 2);
    ASSERT_EQ(left, std::floor(left));
  }
}

}  // namespace
}  // namespace vt
