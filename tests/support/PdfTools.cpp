#include "support/PdfTools.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace vt::test {
namespace {

constexpr double kMmPerPoint = 25.4 / 72;

QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfInfo(const QString& pdf) { return Run(QStringLiteral("pdfinfo"), {pdf}); }

QString Unescape(QString text) {
  text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
  text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
  text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
  text.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
  text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
  return text;
}

}  // namespace

QString PdfLayoutText(const QString& pdf) {
  return Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

std::vector<PdfWord> PdfWords(const QString& pdf) {
  const QString html = Run(QStringLiteral("pdftotext"),
                           {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                            QStringLiteral("1"), pdf, QStringLiteral("-")});
  static const QRegularExpression word(QStringLiteral(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  std::vector<PdfWord> words;
  for (auto it = word.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    const QPointF topLeft(m.captured(1).toDouble() * kMmPerPoint, m.captured(2).toDouble() * kMmPerPoint);
    const QPointF bottomRight(m.captured(3).toDouble() * kMmPerPoint, m.captured(4).toDouble() * kMmPerPoint);
    words.push_back({Unescape(m.captured(5)), QRectF(topLeft, bottomRight)});
  }
  return words;
}

QSizeF PdfPageSizeMm(const QString& pdf) {
  static const QRegularExpression size(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"));
  const auto m = size.match(PdfInfo(pdf));
  if (!m.hasMatch()) return {};
  return QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) * kMmPerPoint;
}

int PdfPageCount(const QString& pdf) {
  static const QRegularExpression pages(QStringLiteral(R"(Pages:\s+(\d+))"));
  const auto m = pages.match(PdfInfo(pdf));
  return m.hasMatch() ? m.captured(1).toInt() : 0;
}

std::vector<QSize> PdfImageSizes(const QString& pdf) {
  // Rows as "page num type width height ...", below two heading lines.
  static const QRegularExpression row(QStringLiteral(R"(^\s*\d+\s+\d+\s+\w+\s+(\d+)\s+(\d+)\s)"),
                                      QRegularExpression::MultilineOption);
  std::vector<QSize> sizes;
  for (auto it = row.globalMatch(Run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})); it.hasNext();) {
    const auto m = it.next();
    sizes.emplace_back(m.captured(1).toInt(), m.captured(2).toInt());
  }
  return sizes;
}

QImage PdfPageImage(const QString& pdf, double dotsPerMm) {
  QTemporaryDir dir;
  const QString base = dir.path() + QStringLiteral("/page");
  Run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-r"),
                                   QString::number(dotsPerMm * 25.4), QStringLiteral("-f"), QStringLiteral("1"),
                                   QStringLiteral("-l"), QStringLiteral("1"), pdf, base});
  return QImage(base + QStringLiteral(".png"));
}

}  // namespace vt::test
