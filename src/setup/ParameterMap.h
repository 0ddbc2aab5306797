#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <cstdint>
#include <optional>

#include "settings/Global.h"

namespace vt {

using ParameterImage = std::array<std::int32_t, kParImageSize>;

// The parameter addresses the panels show.
namespace ParAddr {
constexpr int SerialLink = 0;
constexpr int ModbusAddress = 1;
constexpr int ResponseDelay = 2;
constexpr int ResponseTimeOut = 3;
constexpr int ProductionDay = 8;
constexpr int ProductionMonth = 9;
constexpr int ProductionYear = 10;  // 16-bit, 10 and 11
constexpr int ScaleType = 34;
constexpr int Step1 = 35;
constexpr int Step2 = 36;
constexpr int Capacity1 = 37;  // 24-bit, 37 to 39
constexpr int DecimalPoint = 44;
constexpr int Capacity2 = 45;  // 24-bit, 45 to 47
constexpr int DisplayUnit = 48;
constexpr int SetPoint1 = 52;  // 24-bit, 52 to 54
constexpr int SetPoint2 = 55;  // 24-bit, 55 to 57
constexpr int AnalogFrom = 58;  // 16-bit, 58 and 59
constexpr int AnalogTo = 60;    // 16-bit, 60 and 61
constexpr int RelayDelay = 62;
constexpr int AnalogBase = 82;
constexpr int SetPoint1Base = 84;
constexpr int SetPoint2Base = 85;
constexpr int Relay1Action = 86;
constexpr int Relay2Action = 87;
constexpr int AnalogMax = 90;  // 24-bit, 90 to 92
constexpr int Certified = 200;
constexpr int InitialZero = 204;
constexpr int Drift = 205;
constexpr int AutoTare = 207;
}  // namespace ParAddr

// The group flags each panel reads and writes.
QVector<int> PanelFlags(int panel);

// The panels' drop-down lists: their items, and the value each item stands
// for where the list carries one.
enum class ParList {
  Day,
  Month,
  Year,
  ScaleType,
  Steps,
  DecimalPoint,
  Unit,
  Certified,
  InitialZero,
  Drift,
  AutoTare,
  SetPointBase,
  RelayAction,
  AnalogBase,
  Protocol,
  Baud,
  Parity,
  DataBits,
  StopBits,
};

struct Choices {
  QStringList items;
  QVector<int> values;  // empty where the list carries none
};

const Choices& ListChoices(ParList list);
// The value of an item, nothing for no selection or an index off the list.
std::optional<int> ItemValue(ParList list, int index);

// The baud-rate list's entries: the bits they set in the serial-link byte
// and the milliseconds-to-count factor of the response delay and time-out.
int BaudBits(int baudIndex);
int BaudFactor(int baudIndex);

// A count a panel shows as a number text. A read fills in the count with
// the text; while the box still shows that text, a write sends the count as
// read, unchecked: the text may not hold every count (1/2048 mA with three
// decimals), and the indicator may hold counts that typed entries may not.
struct ShownCount {
  QString text;
  std::optional<std::int32_t> read;  // nothing for a text the operator typed
  bool operator==(const ShownCount&) const = default;
};

// The box's text, with the count of the read that put it there while the
// box still shows it.
ShownCount StillShown(const QString& text, const ShownCount& read);

// What each panel shows and holds: list indexes (-1 for no selection) and
// texts. A read fills them from the image; a write encodes them into it.
struct ProductionValues {
  int day = -1;
  int month = -1;
  ShownCount year;  // the selected year's text, empty for no selection, with the year read
};

struct ScaleValues {
  int scaleType = -1;
  int steps1 = -1;
  int steps2 = -1;
  int decimalPoint = -1;
  QString range1;
  QString range2;
  int unit = -1;
  int certified = -1;
  int drift = -1;
  int initialZero = -1;
  int autoTare = -1;
};

struct OutputsValues {
  ShownCount setPoint1;
  ShownCount setPoint2;
  int setPoint1Base = -1;
  int setPoint2Base = -1;
  int relay1Action = -1;
  int relay2Action = -1;
  QString relayDelay;
  int analogBase = -1;
  ShownCount analogFrom;
  ShownCount analogTo;
  ShownCount analogMax;
};

struct SerialLinkValues {
  int protocol = -1;
  int baud = -1;
  int parity = -1;
  int dataBits = -1;
  int stopBits = -1;
  ShownCount delay;  // raw counts of the baud rate's unit
  ShownCount timeOut;
  QString address;
};

// Decoding of the image; a cell out of range selects the list's neutral item.
ProductionValues DecodeProduction(const ParameterImage& image);
ScaleValues DecodeScale(const ParameterImage& image);
OutputsValues DecodeOutputs(const ParameterImage& image);
SerialLinkValues DecodeSerialLink(const ParameterImage& image);

// The firmware caption from the version times ten: 12 gives "V 1.2".
QString FirmwareText(int versionTimesTen);

// The step-list index of a division step; "---" (9) for any other step.
int LookUpSteps(double step);

// What the scale summary reads from the scale panel's controls.
struct ScaleSummaryInputs {
  std::optional<int> scaleType;  // item value of the selection
  int decimalIndex = -1;         // list index of the decimal point, -1 none
  std::optional<int> step1;      // item values of the step selections
  std::optional<int> step2;
  QString range1;
  QString range2;
};

struct ScaleSummary {
  bool singleInterval = false;
  QString n1;
  QString n2;
};

// The number of divisions n = Max / e of each range; "N/A" where a step of
// the computation fails, and for every later one.
ScaleSummary SummarizeScale(const ScaleSummaryInputs& inputs);

}  // namespace vt
