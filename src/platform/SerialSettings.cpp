#include "platform/SerialSettings.h"

#include <QStringList>

namespace vt {

std::optional<SerialSettings> SerialSettings::Parse(const QString& text) {
  const QStringList fields = text.split(QLatin1Char(','));
  if (fields.size() != 4) return std::nullopt;
  SerialSettings settings;
  bool ok = false;
  settings.baudRate = fields[0].trimmed().toInt(&ok);
  if (!ok || settings.baudRate <= 0) return std::nullopt;

  const QString parity = fields[1].trimmed().toLower();
  if (parity == QLatin1String("n")) settings.parity = SerialParity::None;
  else if (parity == QLatin1String("e")) settings.parity = SerialParity::Even;
  else if (parity == QLatin1String("o")) settings.parity = SerialParity::Odd;
  else if (parity == QLatin1String("m")) settings.parity = SerialParity::Mark;
  else if (parity == QLatin1String("s")) settings.parity = SerialParity::Space;
  else return std::nullopt;

  settings.dataBits = fields[2].trimmed().toInt(&ok);
  if (!ok || settings.dataBits < 5 || settings.dataBits > 8) return std::nullopt;

  const QString stop = fields[3].trimmed();
  if (stop == QLatin1String("1")) settings.stopBits = SerialStopBits::One;
  else if (stop == QLatin1String("1.5")) settings.stopBits = SerialStopBits::OneAndHalf;
  else if (stop == QLatin1String("2")) settings.stopBits = SerialStopBits::Two;
  else return std::nullopt;
  return settings;
}

}  // namespace vt
