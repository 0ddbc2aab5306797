#include "link/FrameText.h"

#include <algorithm>

namespace vt {
namespace {

constexpr int kCrcStart = -1;  // the first step's 16-bit cut turns it into FFFFh

int HexDigit(QChar ch) {
  const char16_t c = ch.unicode();
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

QString UpperHex(int value) { return QString::number(static_cast<quint32>(value), 16).toUpper(); }

}  // namespace

QString Hex2(int value) {
  const QString digits = UpperHex(value);
  return value < 16 ? QLatin1Char('0') + digits : digits;
}

QString Hex4(int value) { return UpperHex(value & 0xFFFF).rightJustified(4, QLatin1Char('0')); }

int PairValue(QStringView pair) {
  int value = 0;
  for (QChar ch : pair) {
    const int digit = HexDigit(ch);
    if (digit < 0) break;
    value = value * 16 + digit;
  }
  return value;
}

qsizetype PairCount(QStringView text) { return (text.size() + 1) / 2; }

int PairAt(QStringView text, qsizetype index) { return PairValue(text.mid(2 * index, 2)); }

int PairSum(QStringView text) {
  int sum = 0;
  for (qsizetype k = 0; k < PairCount(text); ++k) sum += PairAt(text, k);
  return sum;
}

int PairCRC(QStringView text) {
  int crc = kCrcStart;
  for (qsizetype k = 0; k < PairCount(text); ++k) crc = CRC16Update(crc, PairAt(text, k));
  return crc;
}

QString AppendLRC(const QString& text) { return text + Hex2((256 - (PairSum(text) & 255)) & 255); }

int HexToBytes(const QString& text, std::span<std::uint8_t> buffer) {
  QStringView trimmed(text);
  while (!trimmed.isEmpty() && trimmed.front() == QLatin1Char(' ')) trimmed = trimmed.mid(1);
  while (!trimmed.isEmpty() && trimmed.back() == QLatin1Char(' ')) trimmed.chop(1);
  const qsizetype count = std::min<qsizetype>(PairCount(trimmed), static_cast<qsizetype>(buffer.size()));
  for (qsizetype k = 0; k < count; ++k) buffer[k] = static_cast<std::uint8_t>(PairAt(trimmed, k));
  return static_cast<int>(count);
}

QString CRCHex(int crc) { return Hex2(crc & 0xFF) + Hex2(crc / 256); }

int CRC16Update(int crc, int byte) {
  crc = (crc & 0xFFFF) ^ byte;
  for (int bit = 0; bit < 8; ++bit) {
    const bool low = (crc & 1) != 0;
    crc /= 2;
    if (low) crc ^= 0xA001;
  }
  return crc;
}

QString AppendCRC(const QString& text) { return text + CRCHex(PairCRC(text)); }

QString BytesToHex(QByteArrayView bytes, qsizetype count) {
  QString text;
  const qsizetype n = std::clamp<qsizetype>(count, 0, bytes.size());
  text.reserve(2 * n);
  for (qsizetype i = 0; i < n; ++i) text += Hex2(static_cast<std::uint8_t>(bytes[i]));
  return text;
}

}  // namespace vt
