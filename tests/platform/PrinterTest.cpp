#include "platform/Printer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include "platform/ScriptedDialogs.h"
#include "support/PdfTools.h"

namespace vt {
namespace {

using test::PdfWord;

constexpr double kDotsPerMm = 10;  // rendering of the page for pixel checks

class PrinterTest : public ::testing::Test {
 protected:
  QString PdfPath(const QString& name = QStringLiteral("page.pdf")) const { return dir.path() + '/' + name; }
  Printer MakePdfPrinter(const QString& file) { return Printer(PrintOutput::PdfFile(file), "Test Raporu", dialogs); }

  static std::optional<PdfWord> FindWord(const std::vector<PdfWord>& words, const QString& text) {
    for (const auto& word : words) {
      if (word.text == text) return word;
    }
    return std::nullopt;
  }
  static bool Dark(const QImage& page, double xMm, double yMm) {
    return qGray(page.pixel(int(xMm * kDotsPerMm), int(yMm * kDotsPerMm))) < 100;
  }
  // The colour at a point, each channel within a few steps of `expected`
  // (the PDF may compress the picture).
  static bool ColourAt(const QImage& page, double xMm, double yMm, QColor expected) {
    const QColor found = page.pixelColor(int(xMm * kDotsPerMm), int(yMm * kDotsPerMm));
    return std::abs(found.red() - expected.red()) < 8 && std::abs(found.green() - expected.green()) < 8 &&
           std::abs(found.blue() - expected.blue()) < 8;
  }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;
};

TEST_F(PrinterTest, PageIsOneA4SheetWithTextsTopLeftAtTheirPositionInPointSizes) {
  Printer printer = MakePdfPrinter(PdfPath());
  printer.SetFont({"TAHOMA", 20, true});
  printer.Print({20, 20}, "Header");
  printer.SetFont({"TAHOMA", 8, false});
  printer.Print({20, 55}, "Nem");
  printer.Print({70, 55}, ": 45");
  printer.SetFont({"CURIER", 14, true});
  printer.Print({20, 40}, "Title");
  ASSERT_FALSE(printer.EndDoc());
  EXPECT_EQ(printer.WrittenFile(), PdfPath());

  const QSizeF page = test::PdfPageSizeMm(PdfPath());
  EXPECT_NEAR(page.width(), 210, 0.5);
  EXPECT_NEAR(page.height(), 297, 0.5);
  EXPECT_EQ(test::PdfPageCount(PdfPath()), 1);

  const auto words = test::PdfWords(PdfPath());
  const auto header = FindWord(words, "Header");
  const auto nem = FindWord(words, "Nem");
  const auto value = FindWord(words, "45");
  const auto title = FindWord(words, "Title");
  ASSERT_TRUE(header && nem && value && title);
  // The top-left corner of each text stands at its position.
  EXPECT_NEAR(nem->boxMm.left(), 20, 0.6);
  EXPECT_NEAR(nem->boxMm.top(), 55, 0.8);
  EXPECT_NEAR(header->boxMm.left(), 20, 0.8);
  EXPECT_NEAR(header->boxMm.top(), 20, 1.5);
  EXPECT_GT(value->boxMm.left(), 70);
  EXPECT_NEAR(title->boxMm.top(), 40, 1.2);
  // Point sizes: a 20 pt line is about 7 mm high, an 8 pt one about 3 mm.
  EXPECT_NEAR(header->boxMm.height(), 20 * 25.4 / 72 * 1.16, 1.5);
  EXPECT_NEAR(nem->boxMm.height(), 8 * 25.4 / 72 * 1.16, 0.8);
}

TEST_F(PrinterTest, TurkishLettersPrintAsTheyAre) {
  Printer printer = MakePdfPrinter(PdfPath());
  const QString text = QStringLiteral("Çıktı Tarihi Sıcaklık Müşteri Ürün Yükseklik Bitiş İğne Ğ Ş ş ö °C");
  printer.Print({20, 30}, text);
  ASSERT_FALSE(printer.EndDoc());
  EXPECT_EQ(test::PdfLayoutText(PdfPath()).trimmed(), text);
}

TEST_F(PrinterTest, LinesAreBlackWithTheirWidthInDevicePixels) {
  Printer printer = MakePdfPrinter(PdfPath());
  printer.SetDrawWidth(5);
  printer.Line({20, 28}, {120, 28});
  printer.Line({20, 135}, {20, 215});
  ASSERT_FALSE(printer.EndDoc());
  const QImage page = test::PdfPageImage(PdfPath(), kDotsPerMm);
  ASSERT_FALSE(page.isNull());
  EXPECT_TRUE(Dark(page, 70, 28));
  EXPECT_TRUE(Dark(page, 20, 175));
  EXPECT_FALSE(Dark(page, 70, 28.5));  // 5 pixels at 600 dpi are about 0.2 mm
  EXPECT_FALSE(Dark(page, 125, 28));
  EXPECT_FALSE(Dark(page, 20, 220));
}

TEST_F(PrinterTest, PicturesAtTheirOwnSize) {
  QImage red(96, 48, QImage::Format_RGB32);
  red.fill(Qt::red);
  Printer printer = MakePdfPrinter(PdfPath());
  printer.PaintPicture(red, QPointF(150, 5), 30);       // 96 x 48 pixels at 96 dpi: 25.4 x 12.7 mm
  printer.PaintPicture(QImage(), QPointF(20, 20), 30);  // nothing to draw
  ASSERT_FALSE(printer.EndDoc());
  const QImage page = test::PdfPageImage(PdfPath(), kDotsPerMm);
  ASSERT_FALSE(page.isNull());
  EXPECT_TRUE(ColourAt(page, 151, 6, QColor(255, 0, 0)));
  EXPECT_TRUE(ColourAt(page, 175, 17, QColor(255, 0, 0)));
  EXPECT_TRUE(ColourAt(page, 176.5, 10, QColor(255, 255, 255)));
  EXPECT_TRUE(ColourAt(page, 160, 18.5, QColor(255, 255, 255)));
  EXPECT_TRUE(ColourAt(page, 21, 21, QColor(255, 255, 255)));
  EXPECT_EQ(test::PdfImageSizes(PdfPath()), std::vector<QSize>{QSize(96, 48)});
}

// A drawing is scaled alike both ways to the largest size its box holds,
// centred in it, and nothing of it reaches outside the box. It goes out as
// lines and shapes, not as a picture, and what is printed after it stands
// where it should.
TEST_F(PrinterTest, DrawingsAreScaledAlikeBothWaysIntoTheirBoxAsLinesAndShapes) {
  Printer printer = MakePdfPrinter(PdfPath());
  // 640 x 320 units fill a 150 x 75 mm box, so a pen 2 units wide is 0.47 mm.
  printer.PaintDrawing(QRectF(20, 140, 150, 75), QSizeF(640, 320), [](QPainter& painter) {
    painter.setPen(QPen(Qt::red, 2));
    painter.drawLine(QPointF(0, 160), QPointF(640, 160));
    painter.setPen(QPen(Qt::blue, 2));
    painter.drawLine(QPointF(320, -100), QPointF(320, 1000));
  });
  // A square drawing in a wide box: 75 x 75 mm in its middle.
  printer.PaintDrawing(QRectF(20, 40, 150, 75), QSizeF(100, 100),
                       [](QPainter& painter) { painter.fillRect(QRectF(0, 0, 100, 100), Qt::green); });
  // A drawing or a box without size draws nothing.
  int emptyDrawn = 0;
  printer.PaintDrawing(QRectF(20, 20, 150, 75), QSizeF(0, 100), [&](QPainter&) { ++emptyDrawn; });
  printer.PaintDrawing(QRectF(20, 20, 0, 75), QSizeF(100, 100), [&](QPainter&) { ++emptyDrawn; });
  printer.SetDrawWidth(5);
  printer.Line({20, 230}, {170, 230});
  printer.Print({20, 240}, "after");
  ASSERT_FALSE(printer.EndDoc());
  EXPECT_EQ(emptyDrawn, 0);

  EXPECT_TRUE(test::PdfImageSizes(PdfPath()).empty());
  const QImage page = test::PdfPageImage(PdfPath(), kDotsPerMm);
  ASSERT_FALSE(page.isNull());
  const QColor white(Qt::white);
  // The red line across the box at 140 + 37.5 mm, 0.47 mm thick.
  EXPECT_TRUE(ColourAt(page, 21, 177.5, QColor(Qt::red)));
  EXPECT_TRUE(ColourAt(page, 169, 177.5, QColor(Qt::red)));
  EXPECT_TRUE(ColourAt(page, 100, 176.9, white));
  EXPECT_TRUE(ColourAt(page, 100, 178.1, white));
  EXPECT_TRUE(ColourAt(page, 19.5, 177.5, white));
  EXPECT_TRUE(ColourAt(page, 170.5, 177.5, white));
  // The blue line down the middle, cut at the box's edges.
  EXPECT_TRUE(ColourAt(page, 95, 140.3, QColor(Qt::blue)));
  EXPECT_TRUE(ColourAt(page, 95, 214.7, QColor(Qt::blue)));
  EXPECT_TRUE(ColourAt(page, 95, 139.5, white));
  EXPECT_TRUE(ColourAt(page, 95, 215.5, white));
  // The square from 57.5 to 132.5 mm across.
  EXPECT_TRUE(ColourAt(page, 57.8, 40.3, QColor(Qt::green)));
  EXPECT_TRUE(ColourAt(page, 132.2, 114.7, QColor(Qt::green)));
  EXPECT_TRUE(ColourAt(page, 57, 77, white));
  EXPECT_TRUE(ColourAt(page, 133, 77, white));
  // The line and the text after the drawings.
  EXPECT_TRUE(Dark(page, 100, 230));
  EXPECT_FALSE(Dark(page, 100, 231));
  const auto after = FindWord(test::PdfWords(PdfPath()), "after");
  ASSERT_TRUE(after);
  EXPECT_NEAR(after->boxMm.left(), 20, 0.6);
  EXPECT_NEAR(after->boxMm.top(), 240, 0.8);
}

TEST_F(PrinterTest, NothingReachesTheOutputBeforeTheEndOfTheDocument) {
  {
    Printer printer = MakePdfPrinter(PdfPath());
    printer.Print({20, 20}, "never ended");
  }
  EXPECT_FALSE(QFile::exists(PdfPath()));

  Printer printer = MakePdfPrinter(PdfPath());
  printer.Print({20, 20}, "ended");
  EXPECT_FALSE(QFile::exists(PdfPath()));
  ASSERT_FALSE(printer.EndDoc());
  EXPECT_EQ(test::PdfLayoutText(PdfPath()).trimmed(), "ended");
}

TEST_F(PrinterTest, FailuresComeBackAsNumberAndDescriptionAndLeaveNoFile) {
  const QString missing = dir.path() + "/no/such/folder/page.pdf";
  Printer printer = MakePdfPrinter(missing);
  printer.Print({20, 20}, "x");
  const auto error = printer.EndDoc();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->number, PrintErrorNumber::FileAccess);
  EXPECT_TRUE(error->description.contains(missing));
  EXPECT_FALSE(QFile::exists(missing));
  EXPECT_TRUE(printer.WrittenFile().isEmpty());
  EXPECT_TRUE(dialogs.boxes.empty());
}

// Prints made within the same second carry the same name: each keeps its own file.
TEST_F(PrinterTest, WithoutAPrinterThePageGoesToTheReportsFolderAndTheOperatorIsTold) {
  const QString name = QStringLiteral("Test Sonuçları 20260305_090700_Çelik");
  const QString stem = dir.path() + "/Reports/" + name;
  const QStringList files = {stem + ".pdf", stem + " (2).pdf", stem + " (3).pdf"};
  for (int i = 0; i < files.size(); ++i) {
    Printer printer(PrintOutput::ReportsFolder(dir.path()), name, dialogs);
    printer.Print({20, 20}, QStringLiteral("Rapor %1").arg(i));
    ASSERT_FALSE(printer.EndDoc());
    EXPECT_EQ(printer.WrittenFile(), files[i]);
    ASSERT_EQ(dialogs.boxes.size(), i + 1u);
    EXPECT_EQ(dialogs.boxes[i].text, "No printer is installed. The report was saved as " + files[i]);
    EXPECT_EQ(dialogs.boxes[i].style, MsgStyle::OkOnly);
    EXPECT_EQ(dialogs.boxes[i].title, dialogs.AppTitle());
  }
  for (int i = 0; i < files.size(); ++i) {
    EXPECT_EQ(test::PdfLayoutText(files[i]).trimmed(), QStringLiteral("Rapor %1").arg(i));
  }
}

TEST_F(PrinterTest, SystemPrintersOfAMachineWithoutPrinterWriteIntoTheReportsFolder) {
  if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this machine has a printer";
  const auto printer = SystemPrinterFactory(dir.path(), dialogs)("Test Raporu 20260305_090700_P");
  printer->Print({20, 20}, "Rapor");
  ASSERT_FALSE(printer->EndDoc());
  EXPECT_TRUE(QFile::exists(dir.path() + "/Reports/Test Raporu 20260305_090700_P.pdf"));
  EXPECT_EQ(dialogs.boxes.size(), 1u);
}

TEST_F(PrinterTest, ReportsFolderThatCannotBeMadeOrANameThatIsNoFileNameFails) {
  QFile blocker(dir.path() + "/Reports");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  Printer blocked(PrintOutput::ReportsFolder(dir.path()), "Test Raporu", dialogs);
  auto error = blocked.EndDoc();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->number, PrintErrorNumber::PathNotFound);

  for (const QString& name : {QString("../escape"), QString(""), QString("a\nb")}) {
    Printer printer(PrintOutput::ReportsFolder(dir.path() + "/other"), name, dialogs);
    error = printer.EndDoc();
    ASSERT_TRUE(error) << name.toStdString();
    EXPECT_EQ(error->number, PrintErrorNumber::BadFileName);
  }
  EXPECT_FALSE(QFile::exists(dir.path() + "/escape.pdf"));
  EXPECT_TRUE(dialogs.boxes.empty());
}

}  // namespace
}  // namespace vt
