#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace vt {

class Dialogs;
struct OutputDots;

// Where a printed page goes.
struct PrintOutput {
  enum class Kind {
    DefaultPrinter,  // the system's default printer
    ReportsFolder,   // a PDF in "Reports" below the program folder; the operator is told where
    PdfFile,         // a PDF at a given path, nothing shown
  };
  Kind kind = Kind::DefaultPrinter;
  QString path;  // ReportsFolder: the program folder; PdfFile: the file

  static PrintOutput PdfFile(const QString& file) { return {Kind::PdfFile, file}; }
  static PrintOutput ReportsFolder(const QString& programFolder) { return {Kind::ReportsFolder, programFolder}; }
  // The system's default printer when the system has one, else the program
  // folder's "Reports" folder, as a print-to-file default printer would do.
  static PrintOutput ForThisSystem(const QString& programFolder);
};

struct PrintFont {
  QString name;
  double sizePt = 8;
  bool bold = false;
};

// A printing failure: a number and its description.
struct PrintError {
  int number = 0;
  QString description;
};

// Error numbers of the printer.
namespace PrintErrorNumber {
constexpr int BadFileName = 52;
constexpr int FileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int PrinterError = 482;
}  // namespace PrintErrorNumber

// One A4 page in millimetres from the top-left corner of the drawing area,
// x to the right and y downward. Drawing only collects the page; EndDoc
// sends it to its output in one go, so a page that is never ended (a report
// that failed part-way) leaves nothing behind on the printer.
//
// Texts stand with their top-left corner at the given position. Fonts have a
// name, a size in points and a weight; a name the system lacks falls back
// through the system's font matching (the Turkish letters are always there).
// The line width is in device pixels of the output, which for a PDF is
// 600 dots per inch, a usual laser printer's. A picture drawn at its own
// size takes its pixels as 96 per inch, the screen convention of picture
// boxes. A picture reaches the output with no more pixels than the output's
// picture resolution gives its printed size (the printer's own resolution,
// 300 dots per inch in a PDF): a finer one is scaled down to that first.
// A drawing reaches the output as lines and shapes, at the output's own
// resolution: it is made in units of its own, scaled alike both ways onto its
// box, and its pen widths scale with it.
//
// With no printer the page goes into the "Reports" folder as a PDF named
// after the document; a name already taken there gets " (2)", " (3)" and so
// on, so every print leaves its own file.
class Printer {
 public:
  Printer(PrintOutput output, QString documentName, Dialogs& dialogs);
  ~Printer();
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;

  void SetFont(const PrintFont& font) { font_ = font; }
  const PrintFont& Font() const { return font_; }
  void Print(QPointF atMm, const QString& text);

  void SetDrawWidth(int devicePixels) { drawWidth_ = devicePixels; }
  void Line(QPointF fromMm, QPointF toMm);

  // A picture without pixels draws nothing. At its own size, a picture that
  // would run past the right edge of the printable area or be taller than
  // `maxHeightMm` is scaled down to fit, keeping its proportions.
  void PaintPicture(const QImage& picture, QPointF topLeftMm, double maxHeightMm);

  // `draw` paints in the units of a drawing of `drawingSize`, which is scaled
  // alike both ways to the largest size that fits the box and centred in it;
  // nothing it paints reaches outside the box. The drawing sets its own pens
  // and brushes; the painter is taken back as it was. A drawing or a box
  // without size draws nothing.
  using Drawing = std::function<void(QPainter&)>;
  void PaintDrawing(const QRectF& boxMm, QSizeF drawingSize, Drawing draw);

  // Prints the page (or writes the PDF); nothing on success, else the error.
  std::optional<PrintError> EndDoc();

  // The file a PDF output wrote, after a successful EndDoc.
  const QString& WrittenFile() const { return writtenFile_; }

 private:
  using Step = std::function<void(QPainter&, const OutputDots&)>;

  std::optional<PrintError> PrintOnDefaultPrinter();
  std::optional<PrintError> WritePdf(const QString& file);
  std::optional<PrintError> Render(QPagedPaintDevice& device, int errorNumber, const QString& where,
                                   int pictureDotsPerInch);

  PrintOutput output_;
  QString documentName_;
  Dialogs& dialogs_;
  PrintFont font_{QStringLiteral("TAHOMA"), 8, false};
  int drawWidth_ = 1;
  std::vector<Step> steps_;
  QString writtenFile_;
};

// Makes one printer per report, named after the report.
using PrinterFactory = std::function<std::unique_ptr<Printer>(const QString& documentName)>;

// Printers on the system's default printer, or into the program folder's
// "Reports" folder when the system has no printer.
PrinterFactory SystemPrinterFactory(const QString& programFolder, Dialogs& dialogs);

}  // namespace vt
