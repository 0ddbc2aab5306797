#include "platform/Printer.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include "platform/Dialogs.h"

namespace vt {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kPicturePixelsPerInch = 96;
constexpr int kPdfDotsPerInch = 600;

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
  steps_.push_back([font = font_, atMm, text](QPainter& painter, double dotsPerMm) {
    QFont face(font.name);
    face.setPointSizeF(font.sizePt);
    face.setBold(font.bold);
    painter.setFont(face);
    painter.setPen(Qt::black);
    // The painter works in device pixels, so the point size turns into the
    // right number of pixels for this device.
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.drawText(QPointF(atMm.x() * dotsPerMm, atMm.y() * dotsPerMm + metrics.ascent()), text);
  });
}

void Printer::Line(QPointF fromMm, QPointF toMm) {
  steps_.push_back([width = drawWidth_, fromMm, toMm](QPainter& painter, double dotsPerMm) {
    painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(fromMm * dotsPerMm, toMm * dotsPerMm);
  });
}

void Printer::PaintPicture(const QImage& picture, QPointF topLeftMm) {
  const QSizeF sizeMm = QSizeF(picture.size()) * (kMmPerInch / kPicturePixelsPerInch);
  PaintPicture(picture, QRectF(topLeftMm, sizeMm));
}

void Printer::PaintPicture(const QImage& picture, const QRectF& boxMm) {
  if (picture.isNull()) return;
  steps_.push_back([picture, boxMm](QPainter& painter, double dotsPerMm) {
    const QRectF box(boxMm.topLeft() * dotsPerMm, boxMm.size() * dotsPerMm);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(box, picture);
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
  const QString file = folder + QLatin1Char('/') + documentName_ + QStringLiteral(".pdf");
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
  return Render(printer, PrintErrorNumber::PrinterError, QStringLiteral("Printer error: %1").arg(info.printerName()));
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
    if (auto error = Render(writer, PrintErrorNumber::FileAccess, QStringLiteral("Path/File access error: ") + file)) {
      out.cancelWriting();
      return error;
    }
  }
  if (!out.commit()) return FileError(file, out.errorString());
  writtenFile_ = file;
  return std::nullopt;
}

std::optional<PrintError> Printer::Render(QPagedPaintDevice& device, int errorNumber, const QString& where) {
  QPainter painter;
  if (!painter.begin(&device)) return PrintError{errorNumber, where};
  const double dotsPerMm = device.logicalDpiX() / kMmPerInch;
  for (const Step& step : steps_) step(painter, dotsPerMm);
  if (!painter.end()) return PrintError{errorNumber, where};
  return std::nullopt;
}

PrinterFactory SystemPrinterFactory(const QString& programFolder, Dialogs& dialogs) {
  return [programFolder, &dialogs](const QString& documentName) {
    return std::make_unique<Printer>(PrintOutput::ForThisSystem(programFolder), documentName, dialogs);
  };
}

}  // namespace vt
