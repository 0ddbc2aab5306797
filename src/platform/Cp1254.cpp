#include "platform/Cp1254.h"

#include <array>

namespace vt {
namespace {

// 0x80 to 0x9F; 0 marks a byte the code page leaves undefined.
constexpr std::array<char16_t, 32> kHigh80 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0,      0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0,      0x0178};

// The six places where the Turkish code page differs from Latin-1 above 0x9F.
char16_t TurkishAt(unsigned char byte) {
  switch (byte) {
    case 0xD0: return 0x011E;  // Ğ
    case 0xDD: return 0x0130;  // İ
    case 0xDE: return 0x015E;  // Ş
    case 0xF0: return 0x011F;  // ğ
    case 0xFD: return 0x0131;  // ı
    case 0xFE: return 0x015F;  // ş
    default: return byte;
  }
}

char16_t Decode(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte < 0xA0) return kHigh80[byte - 0x80] ? kHigh80[byte - 0x80] : char16_t(byte);
  return TurkishAt(byte);
}

}  // namespace

QString FromCp1254(const QByteArray& bytes) {
  QString text;
  text.reserve(bytes.size());
  for (char c : bytes) text.append(QChar(Decode(static_cast<unsigned char>(c))));
  return text;
}

QByteArray ToCp1254(const QString& text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  for (QChar ch : text) {
    const char16_t u = ch.unicode();
    char out = '?';
    if (u < 0x80) {
      out = static_cast<char>(u);
    } else {
      for (int b = 0x80; b <= 0xFF; ++b) {
        if (Decode(static_cast<unsigned char>(b)) == u) {
          out = static_cast<char>(b);
          break;
        }
      }
    }
    bytes.append(out);
  }
  return bytes;
}

}  // namespace vt
