// The two printed reports, read back from their PDF pages as a person would
// read the paper: every row's label and value, in order, at its place.
#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include "reports/ReportsFixture.h"
#include "settings/NumberText.h"
#include "station/TestCurve.h"
#include "support/DefaultLocale.h"
#include "support/PdfTools.h"

namespace vt {
namespace {

const QString kRecordName = "20260305_090700_Çelik halat";
const QString kPrintDate = "05.03.2026 09:07:00";

class PrintedReportsTest : public test::ReportsFixture {
 protected:
  // The force labels carry the user's decimal sign: "." unless a test says otherwise.
  const test::DefaultLocale user{QLocale::c()};

  void SetUp() override {
    TestPage& t = *testPage;
    // A curve that peaks at the hold value, fed as a running test feeds it.
    program.comm.LinkOK = true;
    program.graphic.RestartCurve();
    for (double force : {0.0, 3000.0, 9000.0, 12456.6, 11000.0, 4000.0}) {
      t.LabDispData->setText(PlainNumber(force));
      testCurve->UpdateTestGraph();
    }
    TypeTestInformation();
    t.labHoldVal->setText("12456.6");
    const QStringList times = {"90.5sn", "67.9sn", "45.3sn", "22.6sn", "0sn"};
    for (int k = 0; k < 5; ++k) t.LabTimeLog[k]->setText(times[k]);
    companyHdr[0]->setText("VorTEST Ltd.");
    companyHdr[1]->setText("Kalite Laboratuvarı");
    reportPage->picIdeal->setPixmap(QPixmap(folder.File("logo.jpg")));
    reportPage->labReportAverage->setText("1125.0");
  }

  // The PDF's text lines with runs of blanks made one, empty lines dropped.
  QStringList PdfLines() const {
    QStringList lines;
    for (const QString& line : test::PdfLayoutText(pdfPath).split('\n')) {
      if (!line.simplified().isEmpty()) lines << line.simplified();
    }
    return lines;
  }

  // Each expected line stands in the PDF, in this order.
  static void ExpectLinesInOrder(const QStringList& lines, const QStringList& expected) {
    qsizetype from = 0;
    for (const QString& want : expected) {
      const qsizetype at = lines.indexOf(want.simplified(), from);
      ASSERT_GE(at, 0) << "missing or out of order: " << want.toStdString() << "\nin:\n"
                       << lines.join('\n').toStdString();
      from = at + 1;
    }
  }

  // The header block and the rows both reports print first, for the
  // finished test on show.
  QStringList HeaderAndInformationRows(const QString& title) const {
    return {"VorTEST Ltd.",
            "Kalite Laboratuvarı",
            title,
            "Çıktı Tarihi : " + kPrintDate,
            "Nem : 45 rH",
            "Sıcaklık : 23 °C",
            "Ürün Adı : Çelik halat",
            "Müşteri Adı : Müşteri A.Ş.",
            "Yer : İzmir",
            "En [W] : 20 mm",
            "Yükseklik [H] : 10 mm",
            "Boy [L] : 150 mm",
            "Test Ölçü Birimi : kg"};
  }

  // The word at about (xMm, yMm) for its top-left corner.
  static std::optional<test::PdfWord> WordAt(const std::vector<test::PdfWord>& words, const QString& text,
                                             double xMm, double yMm) {
    for (const auto& word : words) {
      if (word.text == text && std::abs(word.boxMm.left() - xMm) < 1.0 && std::abs(word.boxMm.top() - yMm) < 1.0) {
        return word;
      }
    }
    return std::nullopt;
  }

  void ExpectWordAt(const QString& text, double xMm, double yMm) {
    EXPECT_TRUE(WordAt(words, text, xMm, yMm)) << text.toStdString() << " at " << xMm << ", " << yMm;
  }

  void Print(void (PrintedReports::*handler)(), int answer = MsgAnswer::Yes) {
    dialogs.answers.push_back(answer);
    (printedReports.get()->*handler)();
    if (QFile::exists(pdfPath)) words = test::PdfWords(pdfPath);
  }

  std::vector<test::PdfWord> words;
};

TEST_F(PrintedReportsTest, QuestionComesFirstAndNoPrintsNothingAndChangesNothing) {
  const QString title = dialogs.AppTitle();
  for (auto handler : {&PrintedReports::cmdPrint_Click, &PrintedReports::cmdPrintReport_Click}) {
    dialogs.boxes.clear();
    Print(handler, MsgAnswer::No);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Yazdırmak İstiyor musunuz?");
    EXPECT_EQ(dialogs.boxes[0].title, "Yazdır");
    EXPECT_EQ(dialogs.boxes[0].style, 4 + 32 + 256);
  }
  // Closing the box answers its default button, No.
  printedReports->cmdPrint_Click();
  EXPECT_TRUE(printedDocuments.isEmpty());
  EXPECT_FALSE(QFile::exists(pdfPath));
  EXPECT_TRUE(RecordFileNames().isEmpty());
  EXPECT_FALSE(QFileInfo::exists(TestsFolder()));
  EXPECT_EQ(dialogs.AppTitle(), title);
}

TEST_F(PrintedReportsTest, TestReportReadsAsTheWindowShowsIt) {
  Print(&PrintedReports::cmdPrint_Click);
  ASSERT_TRUE(QFile::exists(pdfPath));
  EXPECT_EQ(dialogs.boxes.size(), 1u);  // the question only
  EXPECT_EQ(test::PdfPageCount(pdfPath), 1);

  ExpectLinesInOrder(PdfLines(), HeaderAndInformationRows("Test Raporu") + QStringList{
                                     "Test Başlangıç Tarihi : 05.03.2026 09:00:00",
                                     "Test Bitiş Tarihi : 05.03.2026 09:01:30",
                                     "Kopma Mesafesi [mm] : 13.8888",
                                     "Hareket Hızı [mm/dk] : 91.666",
                                     "Test Süresi[sn] : 90.5",
                                     "Kopma Noktası : 12456.6",
                                     "12456.6kg",
                                     "9965.28kg",
                                     "7473.96kg",
                                     "4982.64kg",
                                     "2491.32kg",
                                     "0kg",
                                     "0sn 22.6sn 45.3sn 67.9sn 90.5sn",
                                 });

  // Places on the page, in millimetres from its top-left corner.
  ExpectWordAt("VorTEST", 20, 20);
  ExpectWordAt("Kalite", 20, 30);
  ExpectWordAt("Test", 20, 40);
  ExpectWordAt("Çıktı", 20, 50);
  const QStringList firstWords = {"Nem", "Sıcaklık", "Ürün", "Müşteri", "Yer", "En", "Yükseklik", "Boy",
                                  "Test", "Test", "Test", "Kopma", "Hareket", "Test", "Kopma"};
  for (int row = 0; row < firstWords.size(); ++row) {
    ExpectWordAt(firstWords[row], 20, 55 + 5 * row);
    ExpectWordAt(":", 70, 55 + 5 * row);
  }
  const QStringList forces = {"0kg", "2491.32kg", "4982.64kg", "7473.96kg", "9965.28kg", "12456.6kg"};
  for (int j = 0; j < 6; ++j) ExpectWordAt(forces[j], 172, 213 - 15 * j);
  const QStringList times = {"0sn", "22.6sn", "45.3sn", "67.9sn", "90.5sn"};
  for (int i = 0; i < 5; ++i) ExpectWordAt(times[i], 20 + 37.5 * i, 217);

  // The curve's grid fills its box; the axes run along its left and bottom edges.
  const QImage page = test::PdfPageImage(pdfPath, 10);
  auto colour = [&](double x, double y) { return page.pixelColor(int(x * 10), int(y * 10)); };
  EXPECT_EQ(colour(155, 145), QColor(228, 228, 228));
  EXPECT_EQ(colour(40, 207.5), QColor(228, 228, 228));
  EXPECT_EQ(colour(40, 145), QColor(Qt::white));
  EXPECT_LT(qGray(colour(20, 137).rgb()), 128);    // the axis starts 5 mm above the picture
  EXPECT_EQ(colour(19.5, 165).red(), 255);         // white beside a thin axis
  EXPECT_GT(colour(100, 216).red(), 200);          // and below the bottom axis
  // The logo at (150, 5), the page's only picture: the curve goes out as lines.
  EXPECT_NE(colour(160, 15), QColor(Qt::white));
  EXPECT_EQ(colour(145, 15), QColor(Qt::white));
  EXPECT_EQ(test::PdfImageSizes(pdfPath).size(), 1u);
}

// A logo that would run past the page's right edge or be taller than 30 mm
// is scaled down to fit at (150, 5), keeping its proportions. The PDF holds
// it with no more pixels than 300 dots per inch give its printed size, and a
// coarser logo with its own pixels.
TEST_F(PrintedReportsTest, LargeLogosAreScaledDownToStayOnThePageAndWithinThirtyMillimetres) {
  // 2000 x 400 pixels are 529 x 106 mm, 200 x 400 pixels 53 x 106 mm, 8000 x
  // 4000 pixels (a photo) 2117 x 1058 mm, 96 x 48 pixels 25.4 x 12.7 mm.
  for (const auto& [pixels, printedMm, sent] :
       {std::tuple{QSize(2000, 400), QSizeF(60, 12), QSize(709, 142)},
        std::tuple{QSize(200, 400), QSizeF(15, 30), QSize(178, 355)},
        std::tuple{QSize(8000, 4000), QSizeF(60, 30), QSize(709, 355)},
        std::tuple{QSize(96, 48), QSizeF(25.4, 12.7), QSize(96, 48)}}) {
    QImage logo(pixels, QImage::Format_RGB32);
    logo.fill(Qt::green);
    reportPage->picIdeal->setPixmap(QPixmap::fromImage(logo));
    logo = QImage();
    Print(&PrintedReports::cmdPrintReport_Click);
    const QImage page = test::PdfPageImage(pdfPath, 10);
    auto green = [&](double x, double y) { return page.pixelColor(int(x * 10), int(y * 10)).red() < 100; };
    const QPointF farCorner = QPointF(150, 5) + QPointF(printedMm.width(), printedMm.height());
    EXPECT_TRUE(green(150.3, 5.3) && green(farCorner.x() - 0.3, farCorner.y() - 0.3)) << pixels.width();
    EXPECT_FALSE(green(150.3, farCorner.y() + 0.3)) << pixels.width();
    if (farCorner.x() < 210) {
      EXPECT_FALSE(green(farCorner.x() + 0.3, 5.3)) << pixels.width();
    }
    const std::vector<QSize> images = test::PdfImageSizes(pdfPath);
    ASSERT_EQ(images.size(), 1u) << pixels.width();
    EXPECT_LE(std::abs(images[0].width() - sent.width()), 1) << pixels.width() << " sent " << images[0].width();
    EXPECT_LE(std::abs(images[0].height() - sent.height()), 1) << pixels.width() << " sent " << images[0].height();
  }
}

// The force labels run from 0 to the hold value over the picture's height:
// a curve whose peak is the hold value reaches up to the top label.
TEST_F(PrintedReportsTest, ACurvePeakingAtTheHoldValueTouchesTheTopForceLabel) {
  Print(&PrintedReports::cmdPrint_Click);
  const auto topLabel = WordAt(words, "12456.6kg", 172, 138);
  ASSERT_TRUE(topLabel);

  constexpr double kDotsPerMm = 10;
  const QImage page = test::PdfPageImage(pdfPath, kDotsPerMm);
  std::optional<int> curveTop;
  for (int y = int(135 * kDotsPerMm); y < int(215 * kDotsPerMm) && !curveTop; ++y) {
    for (int x = int(21 * kDotsPerMm); x < int(169 * kDotsPerMm); ++x) {
      const QColor c = page.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 100 && c.blue() < 100) {
        curveTop = y;
        break;
      }
    }
  }
  ASSERT_TRUE(curveTop);
  const double pictureDotMm = 75.0 / testPage->Graph->ScaleHeight();  // one pixel of the curve's picture
  EXPECT_NEAR(*curveTop / kDotsPerMm, topLabel->boxMm.bottom(), pictureDotMm);
}

// The page draws the curve the graph shows as on the graph's designed
// picture: after a start has filled the samples anew, and at every size of
// the graph, the box holds the same drawing.
TEST_F(PrintedReportsTest, ThePrintedCurveIsTheShownOneAtTheGraphsDesignedSize) {
  auto printedBox = [&] {
    Print(&PrintedReports::cmdPrint_Click);
    return test::PdfPageImage(pdfPath, 10).copy(200, 1400, 1500, 750);
  };
  const QImage finished = printedBox();
  program.graphic.RestartCurve();
  std::fill_n(program.graphic.GraphSamples.begin(), kLiveSampleLimit, -50.0);
  tabs->show();
  for (const QSize size : {QSize(486, 322), QSize(753, 322), QSize(400, 200)}) {
    testPage->Graph->setFixedSize(size);
    QApplication::processEvents();
    ASSERT_EQ(testPage->Graph->Picture().size(), size);
    EXPECT_EQ(printedBox(), finished) << size.width() << " x " << size.height();
  }
}

TEST_F(PrintedReportsTest, TestReportSavesTheTestAndTakesItsNameAsTheApplicationTitle) {
  Print(&PrintedReports::cmdPrint_Click);
  EXPECT_EQ(dialogs.AppTitle(), kRecordName);
  EXPECT_EQ(RecordFileNames(), QStringList({kRecordName + ".mem"}));
  EXPECT_EQ(printedDocuments, QStringList({"Test Raporu " + kRecordName}));

  // A record on show is not saved again, but the title is built anew.
  program.global.RecordLoaded = true;
  clock.Advance(5000);
  QFile::remove(pdfPath);
  Print(&PrintedReports::cmdPrint_Click);
  EXPECT_EQ(dialogs.AppTitle(), "20260305_090705_Çelik halat");
  EXPECT_EQ(RecordFileNames().size(), 1);
  EXPECT_TRUE(QFile::exists(pdfPath));
}

TEST_F(PrintedReportsTest, RowValuesCarryTheirSuffixesAndNothingIsCutButTimeLabels) {
  TestPage& t = *testPage;
  t.txtHumidity->setText("");
  t.txtDimensionW->setText("");
  t.txtLocation->setText("");
  const auto rows = printedReports->TestReportRows();
  ASSERT_EQ(rows.size(), 15u);
  EXPECT_EQ(rows[0].label, "Nem");
  EXPECT_EQ(rows[0].value, ":  rH");
  EXPECT_EQ(rows[1].value, ": 23 °C");
  EXPECT_EQ(rows[2].value, ": Çelik halat ");
  EXPECT_EQ(rows[4].value, ":  ");
  EXPECT_EQ(rows[5].label, "En             [W]");
  EXPECT_EQ(rows[5].value, ":  mm");
  EXPECT_EQ(rows[13].label, "Test Süresi[sn]          ");
  EXPECT_EQ(rows[14].label, "Kopma Noktası");
  EXPECT_EQ(rows[14].value, ": 12456.6");

  t.LabTimeLog[0]->setText("1234567890123sn");
  t.LabTimeLog[4]->setText("0");
  t.labHoldVal->setText("12,5");  // the lenient parse stops at the comma
  testPage->graphUnit->setCurrentIndex(1);
  testPage->graphUnit_Click();
  Print(&PrintedReports::cmdPrint_Click);
  ExpectWordAt("1234567890", 170, 217);
  ExpectWordAt("0", 20, 217);
  const QStringList forces = {"0Newton", "2.4Newton", "4.8Newton", "7.2Newton", "9.6Newton", "12Newton"};
  for (int j = 0; j < 6; ++j) ExpectWordAt(forces[j], 172, 213 - 15 * j);
  ExpectLinesInOrder(PdfLines(), {"Nem : rH", "En [W] : mm", "Test Ölçü Birimi : Newton"});
}

TEST_F(PrintedReportsTest, ForceLabelsCarryTheUsersDecimalSign) {
  const test::DefaultLocale turkish(test::kTurkish);
  Print(&PrintedReports::cmdPrint_Click);
  ExpectWordAt("2491,32kg", 172, 198);
  ExpectWordAt("12456,6kg", 172, 138);
}

TEST_F(PrintedReportsTest, HoldValueThatIsNoNumberGivesZeroForceLabels) {
  testPage->labHoldVal->setText("----");
  Print(&PrintedReports::cmdPrint_Click);
  for (int j = 0; j < 6; ++j) ExpectWordAt("0kg", 172, 213 - 15 * j);
}

TEST_F(PrintedReportsTest, FailedPrintingShowsNumberAndDescriptionThenCannotPrint) {
  pdfPath = folder.File("missing/folder/report.pdf");
  Print(&PrintedReports::cmdPrint_Click);
  ASSERT_EQ(dialogs.boxes.size(), 3u);
  EXPECT_TRUE(dialogs.boxes[1].text.startsWith("75 Path/File access error"));
  EXPECT_EQ(dialogs.boxes[2].text, "The form can't be printed.");
  for (int i = 1; i <= 2; ++i) {
    EXPECT_EQ(dialogs.boxes[i].style, MsgStyle::OkOnly);
    EXPECT_EQ(dialogs.boxes[i].title, kRecordName);  // the application title
  }
  // The record was written before the printing began.
  EXPECT_EQ(RecordFileNames(), QStringList({kRecordName + ".mem"}));

  // The results report leaves the title as the test report set it.
  clock.Advance(3000);
  Print(&PrintedReports::cmdPrintReport_Click);
  ASSERT_EQ(dialogs.boxes.size(), 6u);
  EXPECT_EQ(dialogs.boxes[4].title, kRecordName);
  EXPECT_EQ(dialogs.boxes[5].text, "The form can't be printed.");
}

TEST_F(PrintedReportsTest, AFailedPageIsDiscardedAndTheNextReportStartsClean) {
  const QString goodPath = pdfPath;
  pdfPath = folder.File("missing/folder/report.pdf");
  companyHdr[0]->setText("FIRST ATTEMPT");
  Print(&PrintedReports::cmdPrintReport_Click);
  ASSERT_EQ(dialogs.boxes.size(), 3u);

  pdfPath = goodPath;
  companyHdr[0]->setText("SECOND ATTEMPT");
  Print(&PrintedReports::cmdPrintReport_Click);
  const QString text = test::PdfLayoutText(pdfPath);
  EXPECT_TRUE(text.contains("SECOND ATTEMPT"));
  EXPECT_FALSE(text.contains("FIRST"));
  EXPECT_EQ(test::PdfPageCount(pdfPath), 1);
}

TEST_F(PrintedReportsTest, ResultsReportReadsAsTheWindowShowsIt) {
  reportPage->txtReportTensileVal[0]->setText("1150");
  reportPage->txtReportTensileVal[1]->setText("abc");  // printed as typed
  reportPage->txtReportTensileVal[2]->setText("1225");
  // The average prints as the report tab last showed it, not computed again.
  const QString title = dialogs.AppTitle();
  Print(&PrintedReports::cmdPrintReport_Click);
  ASSERT_TRUE(QFile::exists(pdfPath));
  EXPECT_EQ(dialogs.boxes.size(), 1u);

  ExpectLinesInOrder(PdfLines(), HeaderAndInformationRows("Test Sonuçları") + QStringList{
                                     "Kopma Mesafesi [mm] : 13.8888",
                                     "Hareket Hızı [mm/dk] : 91.666",
                                     "Test Süresi[sn] : 90.5",
                                     "1. Kopma Noktası : 1150",
                                     "2. Kopma Noktası : abc",
                                     "3. Kopma Noktası : 1225",
                                     "Ortalama Kopma Noktası : 1125.0",
                                 });
  const QString text = test::PdfLayoutText(pdfPath);
  for (const char* absent : {"Başlangıç", "Bitiş", "12456.6", "0kg", "sn "}) {
    EXPECT_FALSE(text.contains(QString::fromUtf8(absent))) << absent;
  }

  ExpectWordAt("VorTEST", 20, 10);
  ExpectWordAt("Kalite", 20, 20);
  ExpectWordAt("Test", 20, 30);
  ExpectWordAt("Çıktı", 20, 40);
  const QStringList firstWords = {"Nem", "Sıcaklık", "Ürün", "Müşteri", "Yer", "En", "Yükseklik", "Boy",
                                  "Test", "Kopma", "Hareket", "Test", "1.", "2.", "3.", "Ortalama"};
  for (int row = 0; row < firstWords.size(); ++row) {
    ExpectWordAt(firstWords[row], 20, 45 + 5 * row);
    ExpectWordAt(":", 70, 45 + 5 * row);
  }
  // The rule under the header lines, and no curve.
  const QImage page = test::PdfPageImage(pdfPath, 10);
  EXPECT_LT(qGray(page.pixel(700, 280)), 128);
  EXPECT_EQ(page.pixelColor(1000, 1700), QColor(Qt::white));

  EXPECT_EQ(dialogs.AppTitle(), title);
  EXPECT_TRUE(RecordFileNames().isEmpty());
  EXPECT_EQ(printedDocuments, QStringList({"Test Sonuçları " + kRecordName}));
}

TEST_F(PrintedReportsTest, ResultRowsFollowTheMachineTypeWording) {
  machinePanel->SelMachineType->setCurrentIndex(1);
  machinePanel->SelMachineType_Click();
  const auto rows = printedReports->ResultsReportRows();
  ASSERT_EQ(rows.size(), 16u);
  EXPECT_EQ(rows[9].label, "Kırılma  Mesafesi [mm]");
  EXPECT_EQ(rows[12].label, "1. Kırılma Noktası");
  EXPECT_EQ(rows[14].label, "3. Kırılma Noktası");
  EXPECT_EQ(rows[15].label, "Ortalama Kırılma Noktası");
  EXPECT_EQ(rows[15].value, ": 1125.0");
}

}  // namespace
}  // namespace vt
