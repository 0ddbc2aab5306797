#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace vt {

enum class SerialParity { None, Even, Odd, Mark, Space };
enum class SerialStopBits { One, OneAndHalf, Two };

// The serial settings text "9600,e,7,1": bit rate, parity letter (n, o, e,
// m or s), data bits (5 to 8) and stop bits (1, 1.5 or 2).
struct SerialSettings {
  qint32 baudRate = 9600;
  SerialParity parity = SerialParity::None;
  int dataBits = 8;
  SerialStopBits stopBits = SerialStopBits::One;

  static std::optional<SerialSettings> Parse(const QString& text);
};

}  // namespace vt
