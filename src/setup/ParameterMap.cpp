#include "setup/ParameterMap.h"

#include <cmath>

#include "settings/Formats.h"
#include "settings/NumberText.h"

namespace vt {
namespace {

Choices Numbered(const QStringList& names, const QVector<int>& values) {
  Choices choices;
  for (int i = 0; i < names.size(); ++i) choices.items << QStringLiteral("(%1) %2").arg(i).arg(names[i]);
  choices.values = values;
  return choices;
}

Choices WithNeutral(Choices choices, const QString& neutral, int neutralValue) {
  choices.items << neutral;
  choices.values << neutralValue;
  return choices;
}

Choices DayChoices() {
  Choices choices;
  for (int day = 1; day <= 31; ++day) choices.items << QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0'));
  choices.items << QStringLiteral("--");
  return choices;
}

Choices YearChoices() {
  Choices choices;
  for (int year = 2000; year <= 2019; ++year) choices.items << QString::number(year);
  choices.items << QStringLiteral("----");
  return choices;
}

Choices DriftChoices() {
  QStringList names{QStringLiteral("No")};
  for (int n = 1; n <= 9; ++n) names << QStringLiteral("%1e").arg(n);
  return WithNeutral(Numbered(names, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), QStringLiteral("---"), 0);
}

// A cell value inside [0, last] is the list index; any other selects `neutral`.
int IndexOrNeutral(std::int32_t value, int last, int neutral) { return value >= 0 && value <= last ? value : neutral; }

int OnWhenSet(std::int32_t value) { return value != 0 ? 1 : 0; }

double Count24(const ParameterImage& image, int address) {
  return Bytes2Dbl(image[address], image[address + 1], image[address + 2]);
}

double Word16(const ParameterImage& image, int address) { return image[address] + 256.0 * image[address + 1]; }

ShownCount Shown(double count, const QString& text) { return {text, static_cast<std::int32_t>(count)}; }

ShownCount ScaledCount(double count, int dp) { return Shown(count, ScaleByDP(count, dp)); }

ShownCount Milliamps(double count) { return Shown(count, FormatNumber(count / 2048, QStringLiteral("#0.000"))); }

// The strict conversion of a capacity text with "." as the decimal sign.
std::optional<double> Capacity(const QString& text) { return StrictNumber(text, PointFormat()); }

// Tracks the summary's error indication: once a step failed, every later
// count reads "N/A".
class Summary {
 public:
  // Max / (step / 10^decimals), or nothing when a part is missing or the
  // division fails.
  void Count(const std::optional<double>& max, const std::optional<int>& step, int decimals, QString& into) {
    if (!max || !step) failed_ = true;
    double n = 0;
    if (!failed_) {
      n = *max / (*step / std::pow(10.0, decimals));
      if (!std::isfinite(n)) failed_ = true;
    }
    into = failed_ ? QStringLiteral("N/A") : NumberInFull(n);
  }
  void Fail() { failed_ = true; }

 private:
  bool failed_ = false;
};

}  // namespace

ShownCount StillShown(const QString& text, const ShownCount& read) {
  return {text, text == read.text ? read.read : std::nullopt};
}

QVector<int> PanelFlags(int panel) {
  switch (panel) {
    case 0: return {ParGroup::SerialNumber, ParGroup::ProductionDate};
    case 1: return {ParGroup::Scale};
    case 2: return {ParGroup::Outputs};
    default: return {ParGroup::SerialLink};
  }
}

const Choices& ListChoices(ParList list) {
  static const Choices kDay = DayChoices();
  static const Choices kMonth{
      {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec", "---"}, {}};
  static const Choices kYear = YearChoices();
  static const Choices kScaleType =
      Numbered({"Single Interval", "Multi Interval", "Multi Range"}, {0, 1, 2});
  static const Choices kSteps = WithNeutral(
      Numbered({"1", "2", "5", "10", "20", "50", "100", "200", "500"}, {1, 2, 5, 10, 20, 50, 100, 200, 500}),
      QStringLiteral("---"), 1);
  static const Choices kDecimalPoint = WithNeutral(
      Numbered({"None", "1.0", "1.00", "1.000", "1.0000", "1.00000", "1.000000"}, {0, 1, 2, 3, 4, 5, 6}),
      QStringLiteral("---"), 0);
  static const Choices kUnit =
      Numbered({"g", "kg", "t", "oz", "lb", "N", "kN", "mV/V", "V", "none"}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  static const Choices kCertified =
      WithNeutral(Numbered({"Not Certified", "Certified"}, {0, 255}), QStringLiteral("---"), 255);
  static const Choices kInitialZero = WithNeutral(Numbered({"No", "Yes"}, {0, 255}), QStringLiteral("---"), 255);
  static const Choices kDrift = DriftChoices();
  static const Choices kAutoTare = WithNeutral(Numbered({"No", "Yes"}, {0, 1}), QStringLiteral("---"), 1);
  static const Choices kSetPointBase = Numbered({"net", "gross"}, {0, 1});
  static const Choices kRelayAction = Numbered({"above or equal", "below"}, {0, 0});
  static const Choices kAnalogBase = Numbered({"Net value", "Gross value"}, {0, 1});
  static const Choices kProtocol = Numbered({"RTU", "ASCII"}, {0, 1});
  static const Choices kBaud = Numbered({"1200", "2400", "4800", "9600"}, {1200, 2400, 4800, 9600});
  static const Choices kParity = Numbered({"None", "Odd", "Even"}, {0, 1, 3});
  static const Choices kDataBits = Numbered({"7 Bit", "8 Bit"}, {7, 8});
  static const Choices kStopBits = Numbered({"1 Bit", "2 Bits"}, {1, 2});
  switch (list) {
    case ParList::Day: return kDay;
    case ParList::Month: return kMonth;
    case ParList::Year: return kYear;
    case ParList::ScaleType: return kScaleType;
    case ParList::Steps: return kSteps;
    case ParList::DecimalPoint: return kDecimalPoint;
    case ParList::Unit: return kUnit;
    case ParList::Certified: return kCertified;
    case ParList::InitialZero: return kInitialZero;
    case ParList::Drift: return kDrift;
    case ParList::AutoTare: return kAutoTare;
    case ParList::SetPointBase: return kSetPointBase;
    case ParList::RelayAction: return kRelayAction;
    case ParList::AnalogBase: return kAnalogBase;
    case ParList::Protocol: return kProtocol;
    case ParList::Baud: return kBaud;
    case ParList::Parity: return kParity;
    case ParList::DataBits: return kDataBits;
    case ParList::StopBits: return kStopBits;
  }
  return kDay;
}

std::optional<int> ItemValue(ParList list, int index) {
  const QVector<int>& values = ListChoices(list).values;
  if (index < 0 || index >= values.size()) return std::nullopt;
  return values[index];
}

int BaudBits(int baudIndex) { return 16 * baudIndex; }

int BaudFactor(int baudIndex) { return 1 << baudIndex; }

ProductionValues DecodeProduction(const ParameterImage& image) {
  ProductionValues view;
  const std::int32_t day = image[ParAddr::ProductionDay];
  view.day = day >= 1 && day <= 31 ? day - 1 : 31;
  const std::int32_t month = image[ParAddr::ProductionMonth];
  view.month = month >= 1 && month <= 12 ? month - 1 : 12;
  const double year = Word16(image, ParAddr::ProductionYear);
  view.year = Shown(year, year >= 2000 && year <= 2019 ? PlainNumber(year) : QStringLiteral("----"));
  return view;
}

ScaleValues DecodeScale(const ParameterImage& image) {
  ScaleValues view;
  const std::int32_t type = image[ParAddr::ScaleType];
  view.scaleType = type == 1 || type == 2 ? type : 0;
  view.steps1 = IndexOrNeutral(image[ParAddr::Step1], 8, 9);
  view.steps2 = IndexOrNeutral(image[ParAddr::Step2], 8, 9);
  view.decimalPoint = IndexOrNeutral(image[ParAddr::DecimalPoint], 6, 0);
  const int decimals = *ItemValue(ParList::DecimalPoint, view.decimalPoint);
  view.range1 = ScaleByDP(Count24(image, ParAddr::Capacity1), decimals);
  view.range2 = ScaleByDP(Count24(image, ParAddr::Capacity2), decimals);
  view.unit = IndexOrNeutral(image[ParAddr::DisplayUnit], 9, 9);
  view.certified = OnWhenSet(image[ParAddr::Certified]);
  view.drift = IndexOrNeutral(image[ParAddr::Drift], 9, 10);
  view.initialZero = OnWhenSet(image[ParAddr::InitialZero]);
  view.autoTare = OnWhenSet(image[ParAddr::AutoTare]);
  return view;
}

OutputsValues DecodeOutputs(const ParameterImage& image) {
  OutputsValues view;
  view.setPoint1 = ScaledCount(Count24(image, ParAddr::SetPoint1), Global::ParamDP);
  view.setPoint2 = ScaledCount(Count24(image, ParAddr::SetPoint2), Global::ParamDP);
  view.setPoint1Base = OnWhenSet(image[ParAddr::SetPoint1Base]);
  view.setPoint2Base = OnWhenSet(image[ParAddr::SetPoint2Base]);
  view.relay1Action = OnWhenSet(image[ParAddr::Relay1Action]);
  view.relay2Action = OnWhenSet(image[ParAddr::Relay2Action]);
  view.relayDelay = FormatNumber(image[ParAddr::RelayDelay] / 10.0, QStringLiteral("0.0"));
  view.analogBase = OnWhenSet(image[ParAddr::AnalogBase]);
  view.analogFrom = Milliamps(Word16(image, ParAddr::AnalogFrom));
  view.analogTo = Milliamps(Word16(image, ParAddr::AnalogTo));
  view.analogMax = ScaledCount(Count24(image, ParAddr::AnalogMax), Global::ParamDP);
  return view;
}

SerialLinkValues DecodeSerialLink(const ParameterImage& image) {
  const std::int32_t b = image[ParAddr::SerialLink];
  SerialLinkValues view;
  view.protocol = (b & 2) ? 1 : 0;
  view.baud = (b & 48) >> 4;
  const std::int32_t parity = b & 12;
  view.parity = parity == 4 ? 2 : parity == 12 ? 1 : 0;
  view.dataBits = (b & 128) ? 1 : 0;
  view.stopBits = (b & 64) ? 1 : 0;
  // Counts of 1, 0.5, 0.25 or 0.125 ms: the quotient is exact.
  const double factor = BaudFactor(view.baud);
  auto inMilliseconds = [factor](std::int32_t count) { return Shown(count, PlainNumber(count / factor)); };
  view.delay = inMilliseconds(image[ParAddr::ResponseDelay]);
  view.timeOut = inMilliseconds(image[ParAddr::ResponseTimeOut]);
  view.address = QString::number(image[ParAddr::ModbusAddress]);
  return view;
}

QString FirmwareText(int versionTimesTen) {
  return QStringLiteral("V ") + FormatNumber(versionTimesTen / 10.0, QStringLiteral("#0.0"));
}

int LookUpSteps(double step) {
  const QVector<int>& steps = ListChoices(ParList::Steps).values;
  for (int index = 0; index < 9; ++index) {
    if (step == steps[index]) return index;
  }
  return 9;
}

ScaleSummary SummarizeScale(const ScaleSummaryInputs& in) {
  ScaleSummary out;
  Summary summary;
  if (!in.scaleType) summary.Fail();
  out.singleInterval = in.scaleType == 0;
  if (out.singleInterval) {
    if (in.decimalIndex < 0) {
      out.n1 = QStringLiteral("N/A");
      return out;
    }
    summary.Count(Capacity(Comma2Dot(in.range2)), in.step1, in.decimalIndex, out.n1);
    return out;
  }
  if (in.decimalIndex < 0 || in.decimalIndex > 6) {
    out.n1 = out.n2 = QStringLiteral("N/A");
    return out;
  }
  summary.Count(Capacity(in.range1), in.step1, in.decimalIndex, out.n1);
  summary.Count(Capacity(in.range2), in.step2, in.decimalIndex, out.n2);
  return out;
}

}  // namespace vt
