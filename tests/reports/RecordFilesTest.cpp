// Saving the shown test as a record file and opening records again.
#include <QFile>
#include <QFileInfo>
#include <random>

#include "platform/Cp1254.h"
#include "platform/TextFile.h"
#include "reports/ReportsFixture.h"
#include "support/DefaultLocale.h"

namespace vt {
namespace {

class RecordFilesTest : public test::ReportsFixture {
 protected:
  const QString kStartUpName = "20260305_090700_Çelik halat";

  // A finished test on show: information, read-outs and a short curve.
  void ShowFinishedTest() {
    TestPage& t = *testPage;
    TypeTestInformation();
    t.txtTemperature->setText("23.5");
    t.labHoldVal->setText("1234.5");
    t.labTestDistance->setText("1100");
    t.labEncoder->setText("1100");
    for (int k = 0; k < 5; ++k) t.LabTimeLog[k]->setText(QString("%1sn").arg(90 - 20 * k));
    t.labGap->setText("100");
    t.txtPLCSpeed->setText("50");
    t.graphUnit->setCurrentIndex(2);
    t.graphUnit_Click();
    machinePanel->SelMachineType->setCurrentIndex(1);
    machinePanel->SelMachineType_Click();
    companyHdr[0]->setText("VorTEST Ltd.");
    companyHdr[1]->setText("Kalite Laboratuvarı");
    program.comm.PLCPort = 2;
    auto& samples = program.graphic.GraphSamples;
    samples[0] = samples[1] = -50;
    const std::vector<double> readings = {0, 0.5, 120.25, 830.5, 1234.5, 1100.75};
    for (size_t i = 0; i < readings.size(); ++i) samples[2 + i] = readings[i];
    program.graphic.GraphSampleCount = 7;  // newest sample at 7, written up to 6
  }

  // Everything a record restores, changed to something else.
  void ShowSomethingElse() {
    for (QLineEdit* box : testPage->TestInfoBoxes()) box->setText("other");
    for (QLabel* label : {testPage->labTestStart, testPage->labTestStop, testPage->labDistance,
                          testPage->labDisplacementSpeed, testPage->labResultTimePassSeconds, testPage->labHoldVal,
                          testPage->labEncoder, testPage->labTestDistance, testPage->labGap}) {
      label->setText("other");
    }
    testPage->graphUnit->setCurrentIndex(0);
    testPage->graphUnit_Click();
    machinePanel->SelMachineType->setCurrentIndex(0);
    machinePanel->SelMachineType_Click();
    std::fill(program.graphic.GraphSamples.begin(), program.graphic.GraphSamples.end(), 7.0);
    program.graphic.GraphSampleCount = 2;
    program.global.GapValue = 0;
  }

  QString SaveAndGetPath() {
    recordFiles->cmdSaveTestOnly_Click();
    const QStringList names = RecordFileNames();
    return names.size() == 1 ? TestsFolder() + '/' + names[0] : QString();
  }

  void OpenRecord(const QString& path) {
    dialogs.files.push_back(path);
    recordFiles->BrowseLogPrint_Click();
  }

  QString WriteFile(const QString& name, const QStringList& lines) {
    const QString path = folder.File(name);
    WriteTextLines(path, lines);
    return path;
  }
};

TEST_F(RecordFilesTest, SaveRightAfterStartUpWritesTheTableWithCountOneAndTwoZeroSamples) {
  testPage->txtProductName->setText("Çelik halat");
  testPage->txtHumidity->setText("45");
  const QString path = SaveAndGetPath();
  EXPECT_EQ(path, TestsFolder() + "/" + kStartUpName + ".mem");
  const QStringList lines = folder.ReadLines("Tests/" + kStartUpName + ".mem");
  ASSERT_EQ(lines.size(), 36);
  EXPECT_EQ(lines[0], "45");
  EXPECT_EQ(lines[2], "Çelik halat");
  EXPECT_EQ(lines[14], " 0 ");  // kg
  EXPECT_EQ(lines[15], " 0 ");  // tensile machine
  EXPECT_EQ(lines[16], "0.0138888");
  EXPECT_EQ(lines[29], "9600,e,7,1");
  EXPECT_EQ(lines[30], " 0 ");
  EXPECT_EQ(lines[32], "The Records");
  EXPECT_EQ(lines[33], " 1 ");
  EXPECT_EQ(lines[34], " 0 ");
  EXPECT_EQ(lines[35], " 0 ");
  EXPECT_TRUE(dialogs.boxes.empty());

  // Windows-1254 text with CR LF after every line, the last one included.
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.startsWith("45\r\n"));
  EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
  EXPECT_TRUE(bytes.contains(ToCp1254("Çelik halat") + "\r\n"));
  EXPECT_TRUE(bytes.contains("\xC7" "elik"));
  EXPECT_TRUE(bytes.endsWith(" 0 \r\n 0 \r\n"));
}

TEST_F(RecordFilesTest, NothingIsSavedWhileARecordIsShown) {
  program.global.RecordLoaded = true;
  recordFiles->cmdSaveTestOnly_Click();
  EXPECT_TRUE(RecordFileNames().isEmpty());
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(RecordFilesTest, NamesComeFromTheSavingTimeAndTheProductName) {
  testPage->txtProductName->setText("");
  EXPECT_EQ(recordFiles->MakeRecordName(), "20260305_090700_");

  // Two saves in the same second with the same product: the second replaces the first.
  testPage->txtProductName->setText("P");
  testPage->txtHumidity->setText("first");
  recordFiles->cmdSaveTestOnly_Click();
  testPage->txtHumidity->setText("second");
  recordFiles->cmdSaveTestOnly_Click();
  EXPECT_EQ(RecordFileNames(), QStringList({"20260305_090700_P.mem"}));
  EXPECT_EQ(folder.ReadLines("Tests/20260305_090700_P.mem").value(0), "second");

  clock.Advance(61000);
  recordFiles->cmdSaveTestOnly_Click();
  EXPECT_TRUE(RecordFileNames().contains("20260305_090801_P.mem"));
}

TEST_F(RecordFilesTest, AProductNameCannotPutTheRecordOutsideTheTestsFolder) {
  const QString typed = "../../x/y\tz";
  testPage->txtProductName->setText(typed);
  recordFiles->cmdSaveTestOnly_Click();
  EXPECT_EQ(RecordFileNames(), QStringList({"20260305_090700_.._.._x_y_z.mem"}));
  EXPECT_EQ(folder.ReadLines("Tests/20260305_090700_.._.._x_y_z.mem").value(2), typed);
  EXPECT_FALSE(QFile::exists(folder.File("x")));
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(RecordFilesTest, ASaveThatCannotWriteSaysSoAndChangesNothing) {
  QFile blocker(TestsFolder());  // a file where the folder should be
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  testPage->txtHumidity->setText("45");
  recordFiles->cmdSaveTestOnly_Click();
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].title, "File System Error");
  EXPECT_EQ(dialogs.boxes[0].style, MsgStyle::OkOnly);
  EXPECT_FALSE(dialogs.boxes[0].text.contains('\n'));
  EXPECT_EQ(testPage->txtHumidity->text(), "45");
  EXPECT_FALSE(program.global.RecordLoaded);
}

TEST_F(RecordFilesTest, ARecordOpenedAgainShowsTheSavedTest) {
  ShowFinishedTest();
  const QString path = SaveAndGetPath();
  ASSERT_FALSE(path.isEmpty());
  EXPECT_EQ(folder.ReadLines("Tests/20260305_090700_Çelik halat.mem").size(), 35 + 6);
  const TestRecord saved = recordFiles->GatherRecord();

  reportPage->txtReportTensileVal[0]->setText("999");
  companyHdr[0]->setText("Changed header");
  program.comm.PLCPort = 3;
  testPage->txtPLCSpeed->setText("70");
  ShowSomethingElse();
  tabs->setCurrentIndex(2);
  OpenRecord(path);

  const TestRecord shown = recordFiles->GatherRecord();
  EXPECT_EQ(shown.humidity, "45");
  EXPECT_EQ(shown.productName, "Çelik halat");
  EXPECT_EQ(shown.customerName, "Müşteri A.Ş.");
  EXPECT_EQ(shown.location, "İzmir");
  EXPECT_EQ(shown.dimensionL, "150");
  EXPECT_EQ(shown.testStart, saved.testStart);
  EXPECT_EQ(shown.testStop, saved.testStop);
  EXPECT_EQ(shown.holdVal, "1234.5");
  EXPECT_EQ(shown.timePassSeconds, "90.5");
  EXPECT_EQ(shown.timeLog, saved.timeLog);
  EXPECT_EQ(testPage->labEncoder->text(), "1100");
  EXPECT_EQ(testPage->labTestDistance->text(), "1100");
  EXPECT_EQ(program.global.GapValue, 100);
  EXPECT_EQ(testPage->labGap->text(), "100");
  // The lists' own handling ran.
  EXPECT_EQ(testPage->graphUnit->currentIndex(), 2);
  EXPECT_EQ(testPage->labTensileUnit->text(), "kNewton");
  EXPECT_EQ(program.graphic.GraphUnitDP, 3);
  EXPECT_EQ(machinePanel->SelMachineType->currentIndex(), 1);
  EXPECT_EQ(testPage->labHoldValT->text(), "Kırılma Noktası");
  // Samples 0 to M = 6 came back; above them the buffer keeps what it held.
  const auto& samples = program.graphic.GraphSamples;
  for (int i = 0; i <= 6; ++i) EXPECT_EQ(samples[i], *saved.samples[i]) << i;
  EXPECT_EQ(samples[7], 7.0);
  EXPECT_EQ(program.graphic.GraphSampleCount, 5);  // M - 1; the curve update adds 1
  EXPECT_EQ(testPage->LabDispData->text(), " 1234.5 ");  // the last line read, blanks kept
  // Read and dropped: the report values, headers and PLC settings stay.
  EXPECT_EQ(reportPage->txtReportTensileVal[0]->text(), "999");
  EXPECT_EQ(companyHdr[0]->text(), "Changed header");
  EXPECT_EQ(program.comm.PLCPort, 3);
  EXPECT_EQ(testPage->txtPLCSpeed->text(), "70");

  EXPECT_TRUE(program.global.RecordLoaded);
  EXPECT_EQ(curveUpdates, 1);
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_TRUE(dialogs.prompts.empty());  // no password asked
  EXPECT_TRUE(reportPage->labReportValues->text().contains("Çelik halat\n\r"));
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(RecordFilesTest, ATurkishUsersRecordCarriesPointsAndReadsBackTheSame) {
  const test::DefaultLocale user(test::kTurkish);
  ShowFinishedTest();
  testPage->labGap->setText("12,5");
  const QString path = SaveAndGetPath();
  const QStringList lines = folder.ReadLines("Tests/" + QFileInfo(path).fileName());
  ShowSomethingElse();
  OpenRecord(path);
  EXPECT_EQ(lines.mid(36, 3), QStringList({" 0 ", " .5 ", " 120.25 "}));
  EXPECT_EQ(program.graphic.GraphSamples[3], 0.5);
  EXPECT_EQ(program.graphic.GraphSamples[4], 120.25);
  EXPECT_EQ(program.global.GapValue, 12.5);
  EXPECT_EQ(testPage->labGap->text(), "12.5");
  EXPECT_EQ(testPage->LabDispData->text(), " 1234.5 ");
}

TEST_F(RecordFilesTest, OpenDialogAsksForARecordInTheTestsFolderAndCancelChangesNothing) {
  ShowFinishedTest();
  tabs->setCurrentIndex(2);
  const QString before = testPage->txtHumidity->text();
  recordFiles->BrowseLogPrint_Click();
  ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
  const FileDialogRequest request = dialogs.fileDialogs[0].request;
  EXPECT_FALSE(dialogs.fileDialogs[0].save);
  EXPECT_EQ(request.initDir, TestsFolder());
  EXPECT_TRUE(QFileInfo(TestsFolder()).isDir());
  EXPECT_EQ(request.fileName, "");
  EXPECT_EQ(request.defaultExt, "mem");
  EXPECT_EQ(request.filter, "Apps (*.mem)|*.mem|All files (*.*)|*.*");
  EXPECT_TRUE(request.flags & FileMustExist);

  EXPECT_EQ(testPage->txtHumidity->text(), before);
  EXPECT_EQ(program.graphic.GraphSampleCount, 7);
  EXPECT_FALSE(program.global.RecordLoaded);
  EXPECT_EQ(tabs->currentIndex(), 2);
  EXPECT_EQ(curveUpdates, 0);

  // The small "..." button on the test tab does the same.
  recordFiles->browseOlds_Click();
  EXPECT_EQ(dialogs.fileDialogs.size(), 2u);
  EXPECT_EQ(dialogs.fileDialogs[1].request.filter, request.filter);
}

TEST_F(RecordFilesTest, AFileThatCannotBeReadIsReportedAndTheOpeningGoesOn) {
  ShowFinishedTest();
  tabs->setCurrentIndex(2);
  OpenRecord(folder.File("gone.mem"));
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].title, "File System Error");
  EXPECT_EQ(dialogs.boxes[0].style, MsgStyle::OkOnly);
  EXPECT_EQ(testPage->txtHumidity->text(), "45");
  EXPECT_EQ(program.graphic.GraphSampleCount, 7);
  EXPECT_TRUE(program.global.RecordLoaded);
  EXPECT_EQ(curveUpdates, 1);
  EXPECT_EQ(tabs->currentIndex(), 0);
}

// A power cut leaves a record as NUL bytes; a device can be chosen by mistake.
TEST_F(RecordFilesTest, AFileNoRecordCanBeIsRefusedAndChangesNothing) {
  ShowFinishedTest();
  QFile record(SaveAndGetPath()), nulBytes(folder.File("cut.mem"));
  ASSERT_TRUE(record.open(QIODevice::ReadWrite) && nulBytes.open(QIODevice::WriteOnly));
  record.seek(record.readAll().indexOf(ToCp1254("İzmir")) + 2);
  record.write("\x01");  // in the middle of an otherwise whole record
  nulBytes.write(QByteArray(1024 * 1024, '\0'));
  record.close(), nulBytes.close();
  tabs->setCurrentIndex(2);
  const QStringList shown = RecordLines(recordFiles->GatherRecord()) << reportPage->labReportValues->text();
  for (const QString& path : {record.fileName(), nulBytes.fileName(), QString("/dev/zero")}) {
    dialogs.boxes.clear();
    OpenRecord(path);
    const bool read = path != "/dev/zero";  // a device is not even read
    EXPECT_EQ(dialogs.texts(), QStringList(read ? "File " + path + " is not a test record"
                                                : "Cannot read test record file " + path));
    EXPECT_EQ(RecordLines(recordFiles->GatherRecord()) << reportPage->labReportValues->text(), shown);
  }
  EXPECT_EQ(dialogs.boxes.at(0).title, "File System Error");
  EXPECT_EQ(dialogs.boxes.at(0).style, MsgStyle::OkOnly);
  EXPECT_FALSE(program.global.RecordLoaded);
  EXPECT_EQ(curveUpdates, 0);
  EXPECT_EQ(tabs->currentIndex(), 2);
}

TEST_F(RecordFilesTest, AnyFileChosenUnderAllFilesIsReadByPosition) {
  ShowFinishedTest();
  // Not a record at all: twenty lines of a text.
  QStringList text;
  for (int i = 1; i <= 20; ++i) text << QString("satır %1").arg(i);
  OpenRecord(WriteFile("notes.txt", text));
  EXPECT_EQ(testPage->txtHumidity->text(), "satır 1");
  EXPECT_EQ(testPage->labHoldVal->text(), "satır 14");
  EXPECT_EQ(testPage->graphUnit->currentIndex(), 2);  // "satır 15" is no index: unchanged
  EXPECT_EQ(testPage->txtStepVal->text(), "satır 17");
  EXPECT_EQ(testPage->LabTimeLog[1]->text(), "satır 20");
  EXPECT_EQ(testPage->LabTimeLog[4]->text(), "satır 20");  // past the end: the last line again
  EXPECT_EQ(program.global.GapValue, 0);
  EXPECT_EQ(testPage->labGap->text(), "0");
  EXPECT_EQ(program.graphic.GraphSamples[0], -50);  // one sample line, no number
  EXPECT_EQ(program.graphic.GraphSampleCount, 0);
  EXPECT_EQ(testPage->LabDispData->text(), "satır 20");
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_EQ(tabs->currentIndex(), 0);
}

TEST_F(RecordFilesTest, CountLinesOutsideTheBufferLeaveAUsableCount) {
  ShowFinishedTest();
  const QString path = SaveAndGetPath();
  QStringList lines = ReadTextLines(path).value();

  lines[33] = " 1E+09 ";  // far more samples than the file and the buffer hold
  OpenRecord(WriteFile("huge.mem", lines));
  EXPECT_EQ(program.graphic.GraphSampleCount, 24999);
  EXPECT_EQ(program.graphic.GraphSamples.size(), size_t(kSampleSlots));
  EXPECT_EQ(program.graphic.GraphSamples[6], 1234.5);
  EXPECT_EQ(program.graphic.GraphSamples[25000], 1234.5);  // the last line again

  lines[33] = "-3 ";
  ShowSomethingElse();
  OpenRecord(WriteFile("negative.mem", lines));
  EXPECT_EQ(program.graphic.GraphSampleCount, 0);
  EXPECT_EQ(program.graphic.GraphSamples[0], 7.0);
  EXPECT_EQ(testPage->LabDispData->text(), "-3 ");

  lines[33] = " 2 ";  // far fewer than the file holds
  lines << QStringList(50000, " 9 ");
  OpenRecord(WriteFile("long.mem", lines));
  EXPECT_EQ(program.graphic.GraphSampleCount, 1);
  EXPECT_EQ(program.graphic.GraphSamples[2], 0);
  EXPECT_EQ(program.graphic.GraphSamples[3], 7.0);
  EXPECT_EQ(testPage->LabDispData->text(), " 0 ");
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(RecordFilesTest, SampleLinesThatAreNoNumbersKeepTheirSlots) {
  ShowFinishedTest();
  QStringList lines = ReadTextLines(SaveAndGetPath()).value();
  lines[36] = "kopma";
  lines[37] = "";
  ShowSomethingElse();
  OpenRecord(WriteFile("bad.mem", lines));
  EXPECT_EQ(program.graphic.GraphSamples[1], -50);
  EXPECT_EQ(program.graphic.GraphSamples[2], 7.0);
  EXPECT_EQ(program.graphic.GraphSamples[3], 7.0);
  EXPECT_EQ(program.graphic.GraphSamples[4], 120.25);
  EXPECT_EQ(program.graphic.GraphSampleCount, 5);
}

// Random files: whatever a file holds, reading it keeps every write inside
// the buffer, leaves a count the curve update can use and list selections
// the lists have. Runs under the address sanitizer in CI.
TEST_F(RecordFilesTest, RandomFilesNeverBreakTheProgram) {
  std::mt19937 random(4101);
  const QStringList templateLines = [&] {
    ShowFinishedTest();
    return ReadTextLines(SaveAndGetPath()).value();
  }();
  const QList<QByteArray> numbers = {" 1 ", "-1 ", " 2 ", " 3 ", " 25000 ", " 25001 ", " 1E+300 ", "-1E+300 ",
                                     " 5.5 ", " 99999 ", "-32768 ", " 32767 ", " 1,5 ", "x", ""};
  for (int round = 0; round < 150; ++round) {
    QByteArray bytes;
    if (round % 3 == 0) {
      // A record with some lines replaced.
      QStringList lines = templateLines;
      const int changes = 1 + random() % 6;
      for (int c = 0; c < changes; ++c) {
        lines[random() % lines.size()] = QString::fromLatin1(numbers[random() % numbers.size()]);
      }
      lines = lines.mid(0, random() % (lines.size() + 1));
      for (const QString& line : lines) bytes += ToCp1254(line) + "\r\n";
    } else {
      // Arbitrary bytes that a text holds, with line ends here and there.
      const int length = random() % 4000;
      for (int i = 0; i < length; ++i) {
        const int kind = random() % 10;
        if (kind == 0) bytes += "\r\n";
        else if (kind == 1) bytes += numbers[random() % numbers.size()];
        else if (const QByteArray byte(1, char(random() % 256)); !IsNoTextCharacter(FromCp1254(byte)[0])) bytes += byte;
      }
    }
    QFile file(folder.File("random.mem"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    recordFiles->LoadTestRecord(folder.File("random.mem"));
    const double count = program.graphic.GraphSampleCount;
    ASSERT_GE(count, 0);
    ASSERT_LE(count, kSampleSlots - 2);
    ASSERT_EQ(program.graphic.GraphSamples.size(), size_t(kSampleSlots));
    ASSERT_GE(testPage->graphUnit->currentIndex(), -1);
    ASSERT_LT(testPage->graphUnit->currentIndex(), 3);
    ASSERT_GE(machinePanel->SelMachineType->currentIndex(), -1);
    ASSERT_LT(machinePanel->SelMachineType->currentIndex(), 2);
  }
  EXPECT_TRUE(dialogs.boxes.empty());
}

}  // namespace
}  // namespace vt
