#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <vector>

namespace vt::test {

// Reading printed PDFs back with poppler's command-line tools.

// The text of every page as `pdftotext -layout` lays it out.
QString PdfLayoutText(const QString& pdf);

// One word with its box in millimetres from the page's top-left corner.
struct PdfWord {
  QString text;
  QRectF boxMm;
};
// Every word of page 1 with its position (`pdftotext -bbox`).
std::vector<PdfWord> PdfWords(const QString& pdf);

// Page 1's size in millimetres and the number of pages (`pdfinfo`).
QSizeF PdfPageSizeMm(const QString& pdf);
int PdfPageCount(const QString& pdf);

// The size in pixels of every picture embedded in the PDF (`pdfimages -list`).
std::vector<QSize> PdfImageSizes(const QString& pdf);

// Page 1 rendered at `dotsPerMm` (`pdftoppm`).
QImage PdfPageImage(const QString& pdf, double dotsPerMm);

}  // namespace vt::test
