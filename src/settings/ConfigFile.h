#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

namespace vt {

// The configuration file "kelbrin.cfg" in the program folder: 36 lines, the
// position of a line being its meaning. This file knows the lines and their
// read-back rules; the main window gathers the settings into the lines and
// applies the lines to its settings and controls.
namespace cfg {
enum Line : int {
  ServiceCode = 1,
  IndPort,
  DevAddress,
  RTUMode,
  PortSettings,
  DataPathDrive,
  DataPath,
  GraphSetting,
  GraphAutoRange,
  GraphShowGrid,
  GraphUnit,
  StepVal,
  LogFile,
  LogEnabled,
  MachineType,
  DimensionW,
  DimensionH,
  DimensionL,
  Location,
  CustomerName,
  ProductName,
  Temperature,
  Humidity,
  PreLoading,
  ReportTensileVal0,
  ReportTensileVal1,
  ReportTensileVal2,
  CompanyHdr0,
  CompanyHdr1,
  PLCSettings,
  PLCPort,
  PLCSpeed,
  IPAddr0,
  IPAddr1,
  IPAddr2,
  IPAddr3,
};
constexpr int kLineCount = 36;
}  // namespace cfg

QString ConfigFilePath(const QString& programFolder);

// The file as written: line n of the file is lines[n - 1].
using ConfigFileLines = std::array<QString, cfg::kLineCount>;

// The file as read: the lines present, at most 36 (later lines are ignored).
struct ConfigRecord {
  QStringList lines;
  bool Has(int line) const { return line >= 1 && line <= lines.size(); }
  const QString& At(int line) const { return lines[line - 1]; }
};

// Nothing when the file cannot be opened.
std::optional<ConfigRecord> ReadConfigFile(const QString& path);

// Writes the 36 lines through a temporary file, so a failure part-way leaves
// the old file whole. False on any failure.
bool WriteConfigFile(const QString& path, const ConfigFileLines& lines);

// Read-back rules. A rule that gives nothing leaves its setting as it was.
// Numbers are read with "." as the decimal sign, whatever the user's format,
// as the file is written.
double ConfigNumber(const QString& line);                        // lenient number
int ConfigRounded(const QString& line);                          // lenient number, rounded into an int
double ConfigFlag(const QString& line);                          // 0 for empty or 0, else 1
std::optional<int> ConfigListIndex(const QString& line, int itemCount);  // -1 .. itemCount - 1
std::optional<std::uint8_t> ConfigOctet(const QString& line);    // empty gives 0
QString ConfigPlcSpeed(const QString& line);                     // numbers with one decimal

// Written forms.
QString ConfigNumberText(double value);  // free print format
QString ConfigFlagText(double flag);     // " 0 " when exactly 0, else " 1 "

}  // namespace vt
