#include "settings/Formats.h"

#include <algorithm>
#include <cmath>

#include "settings/NumberText.h"

namespace vt {
namespace {

// The most decimals a value is shown with.
constexpr int kMostDecimals = 6;

}  // namespace

QString GetDecFormat(int dp) {
  if (dp < 0) return QStringLiteral("#0.");
  if (dp == 0) return QStringLiteral("#0");
  return QStringLiteral("#0.") + QString(std::min(dp, kMostDecimals), QLatin1Char('0'));
}

QString FormatNumber(double value, const QString& pattern) {
  const qsizetype point = pattern.indexOf(QLatin1Char('.'));
  const int decimals = point < 0 ? 0 : static_cast<int>(pattern.size() - point - 1);
  const double scale = std::pow(10.0, decimals);
  QString text;
  if (std::fabs(value) * scale < 9e15) {
    // Round in whole units of the last decimal, halves away from zero.
    const double units = std::round(value * scale);
    text = QString::number(std::fabs(units), 'f', 0);
    if (decimals > 0) {
      text = text.rightJustified(decimals + 1, QLatin1Char('0'));
      text.insert(text.size() - decimals, QLatin1Char('.'));
    }
    if (units < 0) text.prepend(QLatin1Char('-'));
  } else {
    text = QString::number(value, 'f', decimals);
  }
  if (point >= 0 && decimals == 0) text += QLatin1Char('.');
  return text;
}

QString FormatDec(double value, int dp) { return FormatNumber(value, GetDecFormat(dp)); }

QString ScaleByDP(double value, int dp) {
  if (dp > 0 && dp <= kMostDecimals) return FormatDec(value / std::pow(10.0, dp), dp);
  return PlainNumber(value);
}

QString UnitName(int code) {
  static const char* const kNames[] = {"g", "kg", "t", "oz", "lb", "N", "kN", "mV/V", "V"};
  if (code < 0 || code > 8) return {};
  return QString::fromLatin1(kNames[code]);
}

std::int32_t Regs2Long(std::int32_t high, std::int32_t low) {
  const std::int64_t joined = static_cast<std::int64_t>(high) * 65536 + low;
  return static_cast<std::int32_t>((high & 0x8000) ? joined - 4294967296LL : joined);
}

namespace {

std::int64_t FloorDiv(std::int64_t n, std::int64_t d) {
  std::int64_t q = n / d;
  if ((n % d != 0) && ((n < 0) != (d < 0))) --q;
  return q;
}

void SplitWhole(std::int64_t n, std::int32_t& b0, std::int32_t& b1, std::int32_t& b2) {
  // The remainder keeps the sign of the number divided.
  b0 = static_cast<std::int32_t>(n % 256);
  b1 = static_cast<std::int32_t>(FloorDiv(n, 256) % 256);
  b2 = static_cast<std::int32_t>(FloorDiv(n, 65536) % 256);
}

}  // namespace

void Dbl2Bytes(double value, std::int32_t& b0, std::int32_t& b1, std::int32_t& b2) {
  const double n = RoundHalfEven(value);
  SplitWhole(static_cast<std::int32_t>(std::clamp(n, -2147483648.0, 2147483647.0)), b0, b1, b2);
}

void Split3Bytes(double value, std::int32_t& b0, std::int32_t& b1, std::int32_t& b2) {
  auto wholeMod = [](double x) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(RoundHalfEven(x)) % 256);
  };
  b0 = wholeMod(value);
  b1 = wholeMod(std::floor(value / 256));
  b2 = wholeMod(std::floor(value / 65536));
}

double Bytes2Dbl(std::int32_t b0, std::int32_t b1, std::int32_t b2) {
  return (b0 & 255) + (b1 & 255) * 256.0 + (b2 & 255) * 65536.0;
}

QString Comma2Dot(QString text) { return text.replace(QLatin1Char(','), QLatin1Char('.')); }

}  // namespace vt
