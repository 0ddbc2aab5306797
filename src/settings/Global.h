#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace vt {

// The service code that switches service mode on when the configuration's
// first line holds it.
constexpr int kServiceCode = 63158;

// The indicator's parameter memory: addresses 0 to 255 are used; the image
// has room for the indicator's whole address range.
constexpr int kParImageSize = 1501;
// Parameter groups, each standing for a fixed list of address runs.
constexpr int kParFlagCount = 13;
namespace ParGroup {
constexpr int SerialNumber = 0;      // 13 to 16
constexpr int ProductionDate = 1;    // 4, 8 to 12
constexpr int CalibrationStamp = 2;  // 17 to 23, and 24 in service mode
constexpr int Scale = 3;
constexpr int Outputs = 4;
constexpr int SerialLink = 5;        // 0 to 3
constexpr int WholeMemory = 6;       // 0 to 255
constexpr int Filter = 7;
constexpr int Cells25And95 = 8;
constexpr int SixPointTable = 9;     // 100 to 135
constexpr int ThreePointTable = 10;  // 150 to 191
constexpr int CalibrationRecord = 11;
constexpr int Cell83 = 12;
}  // namespace ParGroup

// The settings module's program-wide variables.
struct Global {
  // Configuration line 1; empty until a configuration file was read.
  std::optional<double> ServiceCode;
  QString DataPathDrive;  // line 6
  QString DataPath;       // line 7
  QString GraphSetting;   // line 8, only kept

  // Data-logging options. The file name and the switch are stored in the
  // configuration (lines 13 and 14); the others last for the run and are
  // empty until the logging window's first "Ok".
  QString LogFile;
  QString LogEnabled;
  std::optional<double> LogThreshold;
  std::optional<double> LogDelayH;
  std::optional<double> LogDelayM;
  std::optional<double> LogDelayS;
  QString LogTime;
  QString LogDisplay;
  QString LogTare;
  QString LogGross;
  QString LogStatus;
  QString LogUnit;

  int DispDP = 0;          // decimal count of the live value
  double GapValue = 0;     // encoder count held as the gap
  bool RecordLoaded = false;  // the window shows a test read back from a record
  bool ProtectionKeyOn = false;

  // Indicator set-up: the image of the indicator's parameter memory, one
  // byte value a slot, and the parameter groups a transfer moves.
  std::array<std::int32_t, kParImageSize> ParImage{};
  std::array<bool, kParFlagCount> ParFlags{};
  // Decimal count of set points, the analog maximum and the filter span:
  // shown and entered unscaled.
  static constexpr int ParamDP = 0;
  // Unit code of the filter span; nothing sets it, so it names "g".
  int SpanUnit = 0;

  bool ServiceMode() const { return ServiceCode && *ServiceCode == kServiceCode; }
};

}  // namespace vt
