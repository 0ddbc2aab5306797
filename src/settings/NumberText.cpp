#include "settings/NumberText.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

namespace vt {
namespace {

bool Skipped(QChar ch) {
  return ch == QLatin1Char(' ') || ch == QLatin1Char('\t') || ch == QLatin1Char('\n');
}

// Whole number in base 16 or 8 after "&H" / "&O": read as a 16-bit signed
// number when it fits 16 bits, else as a 32-bit signed number. One beyond 32
// bits reads as an infinity, as a decimal number beyond a double's range
// does, so that range checks behind the parse refuse it.
double RadixValue(QStringView text, qsizetype pos, int base) {
  quint64 value = 0;
  bool any = false;
  for (; pos < text.size(); ++pos) {
    const QChar ch = text[pos];
    if (Skipped(ch)) continue;
    const char16_t u = ch.toLower().unicode();
    int digit = -1;
    if (u >= '0' && u <= '9') digit = u - '0';
    if (u >= 'a' && u <= 'f') digit = 10 + (u - 'a');
    if (digit < 0 || digit >= base) break;
    value = value * base + digit;
    any = true;
    if (value > 0xFFFFFFFFull) return std::numeric_limits<double>::infinity();
  }
  if (!any) return 0;
  if (value <= 0xFFFF) return static_cast<qint16>(static_cast<quint16>(value));
  return static_cast<qint32>(static_cast<quint32>(value));
}

}  // namespace

double Val(QStringView text) {
  QString number;
  qsizetype pos = 0;
  auto next = [&]() -> QChar {
    while (pos < text.size() && Skipped(text[pos])) ++pos;
    return pos < text.size() ? text[pos] : QChar();
  };
  QChar ch = next();
  if (ch == QLatin1Char('&')) {
    ++pos;
    const QChar radix = next().toUpper();
    if (radix == QLatin1Char('H')) return RadixValue(text, pos + 1, 16);
    if (radix == QLatin1Char('O')) return RadixValue(text, pos + 1, 8);
    return 0;
  }
  if (ch == QLatin1Char('+') || ch == QLatin1Char('-')) {
    number += ch;
    ++pos;
  }
  bool digits = false;
  bool point = false;
  while (true) {
    ch = next();
    if (ch.isDigit() && ch.unicode() < 128) {
      number += ch;
      digits = true;
    } else if (ch == QLatin1Char('.') && !point) {
      number += ch;
      point = true;
    } else {
      break;
    }
    ++pos;
  }
  if (!digits) return 0;
  ch = next();
  if (ch == QLatin1Char('e') || ch == QLatin1Char('E') || ch == QLatin1Char('d') || ch == QLatin1Char('D')) {
    QString exponent = QStringLiteral("e");
    ++pos;
    ch = next();
    if (ch == QLatin1Char('+') || ch == QLatin1Char('-')) {
      exponent += ch;
      ++pos;
    }
    bool expDigits = false;
    while ((ch = next()).isDigit() && ch.unicode() < 128) {
      exponent += ch;
      expDigits = true;
      ++pos;
    }
    if (expDigits) number += exponent;
  }
  bool ok = false;
  const double value = number.toDouble(&ok);
  // A number beyond a double's range reads as the infinity of its sign, so
  // that range checks behind the parse refuse it; one too small reads as 0.
  if (!ok) return std::isinf(value) ? value : 0;
  return value;
}

QLocale PointFormat() {
  QLocale format = QLocale::c();
  format.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
  return format;
}

std::optional<double> StrictNumber(const QString& text, const QLocale& locale) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return std::nullopt;
  bool ok = false;
  const double value = locale.toDouble(trimmed, &ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> StrictWhole(const QString& text, int min, int max, const QLocale& locale) {
  const auto value = StrictNumber(text, locale);
  if (!value) return std::nullopt;
  const double whole = RoundHalfEven(*value);
  if (whole < min || whole > max) return std::nullopt;
  return static_cast<int>(whole);
}

double RoundHalfEven(double value) { return std::nearbyint(value); }

int RoundToInt(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLowest = std::numeric_limits<int>::min();
  constexpr double kHighest = std::numeric_limits<int>::max();
  return static_cast<int>(std::clamp(RoundHalfEven(value), kLowest, kHighest));
}

QString PlainNumber(double value) {
  if (value == 0) return QStringLiteral("0");
  QString text = QString::number(value, 'g', 15);
  const qsizetype e = text.indexOf(QLatin1Char('e'));
  if (e >= 0) text[e] = QLatin1Char('E');
  return text;
}

QString NumberInFull(double value) {
  if (value == 0 || !std::isfinite(value)) return PlainNumber(value);
  // d.dddddddddddddde+XX: the 15 significant digits and the exponent.
  const QString scientific = QString::number(std::fabs(value), 'e', 14);
  const qsizetype e = scientific.indexOf(QLatin1Char('e'));
  QString digits = scientific.left(e).remove(QLatin1Char('.'));
  const int exponent = scientific.mid(e + 1).toInt();
  while (digits.endsWith(QLatin1Char('0'))) digits.chop(1);
  QString text;
  if (exponent < 0) {
    text = QStringLiteral("0.") + QString(-exponent - 1, QLatin1Char('0')) + digits;
  } else if (digits.size() <= exponent + 1) {
    text = digits + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
  } else {
    text = digits.left(exponent + 1) + QLatin1Char('.') + digits.mid(exponent + 1);
  }
  return value < 0 ? QLatin1Char('-') + text : text;
}

QString FreePrint(double value) {
  QString digits = PlainNumber(std::fabs(value));
  if (digits.startsWith(QStringLiteral("0."))) digits.remove(0, 1);
  return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits + QLatin1Char(' ');
}

}  // namespace vt
