#include "reports/ReportLayout.h"

#include <QLocale>

#include "settings/NumberText.h"

namespace vt {
namespace {

const QString kTahoma = QStringLiteral("TAHOMA");
const QString kCourier = QStringLiteral("CURIER");
constexpr double kLeft = 20;
constexpr double kValueColumn = 70;
const PrintFont kRowFont{kTahoma, 8, false};
constexpr double kLogoMaxHeight = 30;

}  // namespace

void DrawHeaderBlock(Printer& printer, double y0, const ReportHeader& header) {
  printer.PaintPicture(header.logo, QPointF(150, 5), kLogoMaxHeight);
  printer.SetFont({kTahoma, 20, true});
  printer.Print({kLeft, y0}, header.line1);
  printer.SetFont({kTahoma, 14, true});
  printer.Print({kLeft, y0 + 10}, header.line2);
  printer.SetDrawWidth(5);
  printer.Line({kLeft, y0 + 18}, {120, y0 + 18});
  printer.SetFont({kCourier, 14, true});
  printer.Print({kLeft, y0 + 20}, header.title);
  DrawRows(printer, y0 + 30,
           {{QStringLiteral("Çıktı Tarihi"),
             QStringLiteral(": ") + header.printedAt.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"))}});
}

void DrawRows(Printer& printer, double firstY, const std::vector<ReportRow>& rows) {
  printer.SetFont(kRowFont);
  double y = firstY;
  for (const ReportRow& row : rows) {
    printer.Print({kLeft, y}, row.label);
    printer.Print({kValueColumn, y}, row.value);
    y += kRowPitch;
  }
}

void EndReport(Printer& printer, Dialogs& dialogs) {
  const auto error = printer.EndDoc();
  if (!error) return;
  dialogs.MsgBox(QString::number(error->number) + QLatin1Char(' ') + error->description, MsgStyle::OkOnly);
  dialogs.MsgBox(QStringLiteral("The form can't be printed."), MsgStyle::OkOnly);
}

bool AskToPrint(Dialogs& dialogs) {
  return dialogs.MsgBox(QStringLiteral("Yazdırmak İstiyor musunuz?"),
                        MsgStyle::YesNo + MsgStyle::Question + MsgStyle::DefaultButton2,
                        QStringLiteral("Yazdır")) == MsgAnswer::Yes;
}

QString GeneralNumber(double value) {
  return PlainNumber(value).replace(QLatin1Char('.'), QLocale().decimalPoint());
}

}  // namespace vt
