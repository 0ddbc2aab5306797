#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Printer.h"

namespace vt {

// The page layout both printed reports share, in millimetres.

// One row: its label at x 20, its value at x 70.
struct ReportRow {
  QString label;
  QString value;
};

// The header block: the logo at (150, 5), within the printable area and at
// most 30 mm high, the two company header lines, a rule, the report's title
// and the print date; the rows start 35 mm below the first header line.
struct ReportHeader {
  QImage logo;
  QString line1;
  QString line2;
  QString title;
  QDateTime printedAt;
};

constexpr double kRowPitch = 5;
constexpr double kRowsBelowHeader = 35;

void DrawHeaderBlock(Printer& printer, double y0, const ReportHeader& header);
// Rows from `firstY` down, one every 5 mm, in the regular 8 pt face.
void DrawRows(Printer& printer, double firstY, const std::vector<ReportRow>& rows);

// Ends the document; a failure shows the error's number and description,
// then "The form can't be printed.", both with the application title.
void EndReport(Printer& printer, Dialogs& dialogs);

// The question before either report is printed; true for Yes.
bool AskToPrint(Dialogs& dialogs);

// A number in the general number format: as many digits as it needs, up to
// 15 significant ones, with the locale's decimal sign.
QString GeneralNumber(double value);

}  // namespace vt
