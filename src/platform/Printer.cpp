#include "platform/Printer.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QtMath>
#include <algorithm>

#include "platform/Dialogs.h"

namespace vt {

// The output's resolutions, in dots per millimetre: the drawing's, and the
// finest a picture is sent at.
struct OutputDots {
  double perMm = 0;
  double picturePerMm = 0;
};

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kPicturePixelsPerInch = 96;
constexpr int kPdfDotsPerInch = 600;
// Pictures in a PDF are sent at the usual resolution of photo prints.
constexpr int kPdfPictureDotsPerInch = 300;

QPageLayout A4Layout(const QMarginsF& margins) {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins, QPageLayout::Millimeter);
}

// A name that can stand as one file in a folder.
bool PlainFileName(const QString& name) {
  if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral("..")) return false;
  for (const QChar ch : name) {
    if (ch == QLatin1Char('/') || ch.unicode() < 0x20 || ch.unicode() == 0x7F) return false;
  }
  return true;
}

// The document's PDF in `folder`: its own name, or the first of "name (2)",
// "name (3)" ... that no file has taken yet.
QString FreePdfFile(const QString& folder, const QString& name) {
  const QString stem = folder + QLatin1Char('/') + name;
  QString file = stem + QStringLiteral(".pdf");
  for (int n = 2; QFileInfo::exists(file); ++n) file = stem + QStringLiteral(" (%1).pdf").arg(n);
  return file;
}

// Draws the picture stretched into the box. A picture with more pixels than
// the output shows in that box (a photo as the logo) is scaled down to the
// output's picture resolution first, so the page does not carry them all.
void DrawPicture(QPainter& painter, const QImage& picture, const QRectF& boxMm, const OutputDots& dots) {
  const QSizeF finest = boxMm.size() * dots.picturePerMm;
  const QSize sent = picture.size().boundedTo(QSize(qCeil(finest.width()), qCeil(finest.height())));
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(boxMm.topLeft() * dots.perMm, boxMm.size() * dots.perMm),
                    sent == picture.size() ? picture
                                           : picture.scaled(sent, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

PrintError FileError(const QString& file, const QString& reason) {
  return {PrintErrorNumber::FileAccess, QStringLiteral("Path/File access error: %1 (%2)").arg(file, reason)};
}

}  // namespace

PrintOutput PrintOutput::ForThisSystem(const QString& programFolder) {
  if (!QPrinterInfo::defaultPrinter().isNull()) return {Kind::DefaultPrinter, {}};
  return ReportsFolder(programFolder);
}

Printer::Printer(PrintOutput output, QString documentName, Dialogs& dialogs)
    : output_(std::move(output)), documentName_(std::move(documentName)), dialogs_(dialogs) {}

Printer::~Printer() = default;

void Printer::Print(QPointF atMm, const QString& text) {
  steps_.push_back([font = font_, atMm, text](QPainter& painter, const OutputDots& dots) {
    QFont face(font.name);
    face.setPointSizeF(font.sizePt);
    face.setBold(font.bold);
    painter.setFont(face);
    painter.setPen(Qt::black);
    // The painter works in device pixels, so the point size turns into the
    // right number of pixels for this device.
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.drawText(QPointF(atMm.x() * dots.perMm, atMm.y() * dots.perMm + metrics.ascent()), text);
  });
}

void Printer::Line(QPointF fromMm, QPointF toMm) {
  steps_.push_back([width = drawWidth_, fromMm, toMm](QPainter& painter, const OutputDots& dots) {
    painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(fromMm * dots.perMm, toMm * dots.perMm);
  });
}

void Printer::PaintPicture(const QImage& picture, QPointF topLeftMm, double maxHeightMm) {
  if (picture.isNull()) return;
  const QSizeF ownMm = QSizeF(picture.size()) * (kMmPerInch / kPicturePixelsPerInch);
  steps_.push_back([picture, topLeftMm, ownMm, maxHeightMm](QPainter& painter, const OutputDots& dots) {
    // The device is the printable area, so its width is known only here.
    const double roomMm = painter.device()->width() / dots.perMm - topLeftMm.x();
    const double scale = std::min({1.0, roomMm / ownMm.width(), maxHeightMm / ownMm.height()});
    DrawPicture(painter, picture, QRectF(topLeftMm, ownMm * scale), dots);
  });
}

void Printer::PaintDrawing(const QRectF& boxMm, QSizeF drawingSize, Drawing draw) {
  if (drawingSize.isEmpty() || boxMm.isEmpty()) return;
  steps_.push_back([boxMm, drawingSize, draw = std::move(draw)](QPainter& painter, const OutputDots& dots) {
    const QRectF box(boxMm.topLeft() * dots.perMm, boxMm.size() * dots.perMm);
    const double scale = std::min(box.width() / drawingSize.width(), box.height() / drawingSize.height());
    const QSizeF drawn = drawingSize * scale;
    painter.save();
    painter.setClipRect(box);
    painter.translate(box.center() - QPointF(drawn.width(), drawn.height()) / 2);
    painter.scale(scale, scale);
    draw(painter);
    painter.restore();
  });
}

std::optional<PrintError> Printer::EndDoc() {
  writtenFile_.clear();
  switch (output_.kind) {
    case PrintOutput::Kind::DefaultPrinter:
      return PrintOnDefaultPrinter();
    case PrintOutput::Kind::PdfFile:
      return WritePdf(output_.path);
    case PrintOutput::Kind::ReportsFolder:
      break;
  }
  if (!PlainFileName(documentName_)) {
    return PrintError{PrintErrorNumber::BadFileName, QStringLiteral("Bad file name: %1").arg(documentName_)};
  }
  const QString folder = output_.path + QStringLiteral("/Reports");
  if (!QDir().mkpath(folder)) {
    return PrintError{PrintErrorNumber::PathNotFound, QStringLiteral("Path not found: %1").arg(folder)};
  }
  const QString file = FreePdfFile(folder, documentName_);
  if (auto error = WritePdf(file)) return error;
  dialogs_.MsgBox(QStringLiteral("No printer is installed. The report was saved as %1").arg(file));
  return std::nullopt;
}

std::optional<PrintError> Printer::PrintOnDefaultPrinter() {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return PrintError{PrintErrorNumber::PrinterError, QStringLiteral("Printer error: no printer")};
  QPrinter printer(info, QPrinter::HighResolution);
  printer.setDocName(documentName_);
  printer.setFullPage(false);
  printer.setPageLayout(A4Layout(QMarginsF()));
  // Positions start at the corner of the area the printer can print on.
  printer.setPageMargins(printer.pageLayout().minimumMargins(), QPageLayout::Millimeter);
  return Render(printer, PrintErrorNumber::PrinterError, QStringLiteral("Printer error: %1").arg(info.printerName()),
                printer.resolution());
}

std::optional<PrintError> Printer::WritePdf(const QString& file) {
  // The PDF replaces an older one of the same name only once it is complete.
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly)) return FileError(file, out.errorString());
  {
    QPdfWriter writer(&out);
    writer.setResolution(kPdfDotsPerInch);
    writer.setPageLayout(A4Layout(QMarginsF()));
    writer.setTitle(documentName_);
    writer.setCreator(QStringLiteral("VorTEST"));
    if (auto error = Render(writer, PrintErrorNumber::FileAccess, QStringLiteral("Path/File access error: ") + file,
                            kPdfPictureDotsPerInch)) {
      out.cancelWriting();
      return error;
    }
  }
  if (!out.commit()) return FileError(file, out.errorString());
  writtenFile_ = file;
  return std::nullopt;
}

std::optional<PrintError> Printer::Render(QPagedPaintDevice& device, int errorNumber, const QString& where,
                                          int pictureDotsPerInch) {
  QPainter painter;
  if (!painter.begin(&device)) return PrintError{errorNumber, where};
  const OutputDots dots{device.logicalDpiX() / kMmPerInch, pictureDotsPerInch / kMmPerInch};
  for (const Step& step : steps_) step(painter, dots);
  if (!painter.end()) return PrintError{errorNumber, where};
  return std::nullopt;
}

PrinterFactory SystemPrinterFactory(const QString& programFolder, Dialogs& dialogs) {
  return [programFolder, &dialogs](const QString& documentName) {
    return std::make_unique<Printer>(PrintOutput::ForThisSystem(programFolder), documentName, dialogs);
  };
}

}  // namespace vt
