#include "settings/ConfigFile.h"

#include "platform/TextFile.h"
#include "settings/Formats.h"
#include "settings/NumberText.h"

namespace vt {

QString ConfigFilePath(const QString& programFolder) { return programFolder + QStringLiteral("/kelbrin.cfg"); }

std::optional<ConfigRecord> ReadConfigFile(const QString& path) {
  auto lines = ReadTextLines(path);
  if (!lines) return std::nullopt;
  if (lines->size() > cfg::kLineCount) lines->resize(cfg::kLineCount);
  return ConfigRecord{*lines};
}

bool WriteConfigFile(const QString& path, const ConfigFileLines& lines) {
  return WriteTextLines(path, QStringList(lines.begin(), lines.end()));
}

double ConfigNumber(const QString& line) { return Val(line); }

int ConfigRounded(const QString& line) { return RoundToInt(Val(line)); }

double ConfigFlag(const QString& line) { return Val(line) == 0 ? 0 : 1; }

std::optional<int> ConfigListIndex(const QString& line, int itemCount) {
  return StrictWhole(line, -1, itemCount - 1, PointFormat());
}

std::optional<std::uint8_t> ConfigOctet(const QString& line) {
  if (line.isEmpty()) return 0;
  const auto octet = StrictWhole(line, 0, 255, PointFormat());
  if (!octet) return std::nullopt;
  return static_cast<std::uint8_t>(*octet);
}

QString ConfigPlcSpeed(const QString& line) {
  const auto number = StrictNumber(line, PointFormat());
  return number ? FormatNumber(*number, QStringLiteral("0.0")) : line;
}

QString ConfigNumberText(double value) { return FreePrint(value); }

QString ConfigFlagText(double flag) { return flag == 0 ? QStringLiteral(" 0 ") : QStringLiteral(" 1 "); }

}  // namespace vt
