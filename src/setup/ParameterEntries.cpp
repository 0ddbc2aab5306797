#include "setup/ParameterEntries.h"

#include <cmath>

#include "settings/Formats.h"
#include "settings/NumberText.h"

namespace vt {
namespace {

constexpr double kLargestCapacity = 16777215;  // the largest 24-bit count
constexpr double kLargestSetPoint = 8388607;
constexpr double kMilliampCounts = 2048;
constexpr double kLeastAnalogSpan = 6144;  // 3 mA

EntryRejection Reject(const QString& message, const char* focus = "") {
  return {message, QString::fromLatin1(focus)};
}

// A count typed as a number entry, times 10^decimals, checked and packed
// into three cells. Capacities are checked after rounding to a whole count,
// set points as typed. The messages name the field.
EntryCheck EncodeCount(const QString& text, int decimals, double largest, bool roundFirst, const char* field,
                       const char* focus, ParameterImage& image, int address) {
  const QString name = QString::fromLatin1(field);
  const auto value = NumberEntry(text);
  if (!value) return Reject(name + QStringLiteral(" must be a valid number!"), focus);
  const double count = *value * std::pow(10.0, decimals);
  if (count < 0) return Reject(name + QStringLiteral(" should be a positive number!"), focus);
  if ((roundFirst ? RoundHalfEven(count) : count) > largest) {
    return Reject(name + QStringLiteral(" is too large!"), focus);
  }
  Dbl2Bytes(count, image[address], image[address + 1], image[address + 2]);
  return std::nullopt;
}

// A count as EncodeCount checks and packs it, but one left as read goes back
// as read.
EntryCheck EncodeShownCount(const ShownCount& entry, double largest, const char* field, const char* focus,
                            ParameterImage& image, int address) {
  if (!entry.read) return EncodeCount(entry.text, Global::ParamDP, largest, false, field, focus, image, address);
  Dbl2Bytes(*entry.read, image[address], image[address + 1], image[address + 2]);
  return std::nullopt;
}

// A flag cell from a two-item list: 255 for the second item, else 0.
EntryCheck EncodeFlag(int index, const char* message, const char* focus, ParameterImage& image, int address) {
  if (index < 0) return Reject(message, focus);
  image[address] = index == 1 ? 255 : 0;
  return std::nullopt;
}

// A choice cell that stores the item value of the selection. `last` is the
// highest index accepted.
EntryCheck EncodeChoice(ParList list, int index, int last, const char* message, const char* focus,
                        ParameterImage& image, int address) {
  const auto value = ItemValue(list, index);
  if (index > last || !value) return Reject(message, focus);
  image[address] = *value;
  return std::nullopt;
}

// The analog output's current as a 16-bit count of 1/2048 mA into two
// cells; `counts` receives the unrounded count. A current left as read goes
// back as the count read.
EntryCheck EncodeCurrent(const ShownCount& entry, const char* invalid, const char* range, const char* focus,
                         ParameterImage& image, int address, double& counts) {
  if (entry.read) {
    counts = *entry.read;
  } else {
    const auto value = NumberEntry(entry.text);
    if (!value) return Reject(invalid, focus);
    counts = *value * kMilliampCounts;
    if (counts < 0 || counts > 65535) return Reject(range, focus);
  }
  const auto n = static_cast<std::int32_t>(RoundHalfEven(counts));
  image[address] = n & 255;
  image[address + 1] = n / 256;
  return std::nullopt;
}

struct BaudRule {
  double delayMax;
  double timeOutMin;
  double timeOutMax;
  const char* delayMessage;
  const char* timeOutMessage;
};

const BaudRule& RuleOf(int baudIndex) {
  static const BaudRule kRules[] = {
      {255, 12, 255, "Delay must be between 0-255 ms for 1200 BPS!",
       "Time-Out must be between 12-255 ms for 1200 BPS!"},
      {127, 6, 127, "Delay must be between 0-127 ms for 2400 BPS!", "Time-Out must be between 6-127 ms for 2400 BPS!"},
      {63, 3, 63, "Delay must be between 0-63 ms for 4800 BPS!", "Time-Out must be between 3-63 ms for 4800 BPS!"},
      {31, 1.5, 31, "Delay must be between 0-31 ms for 9600 BPS!", "Time-Out must be between 1.5-31 ms for 9600 BPS!"},
  };
  return kRules[baudIndex];
}

}  // namespace

std::optional<double> NumberEntry(const QString& text) { return StrictNumber(Comma2Dot(text), PointFormat()); }

std::optional<double> DecimalEntry(const QString& text) { return StrictNumber(text, PointFormat()); }

std::optional<int> WholeEntry(const QString& text, int min, int max) {
  return StrictWhole(text, min, max, PointFormat());
}

EntryCheck EncodeProduction(const ProductionValues& v, ParameterImage& image) {
  if (v.day < 0 || v.month < 0 || v.year.text.isEmpty()) {
    return Reject("The production date must be selected properly!", "PDDay");
  }
  image[ParAddr::ProductionDay] = v.day <= 30 ? v.day + 1 : 255;
  image[ParAddr::ProductionMonth] = v.month <= 11 ? v.month + 1 : 255;
  // A year left as read goes back as read, also one the list does not hold.
  std::optional<int> year = v.year.read;
  if (!year) year = WholeEntry(v.year.text, 2000, 2019);
  image[ParAddr::ProductionYear] = year ? *year & 255 : 255;
  image[ParAddr::ProductionYear + 1] = year ? (*year & 0xFFFF) / 256 : 255;
  return std::nullopt;
}

EntryCheck EncodeScale(const ScaleValues& v, ParameterImage& image) {
  if (v.scaleType < 0) return Reject("Scale type must be selected properly!", "ScaleType");
  image[ParAddr::ScaleType] = v.scaleType;
  const bool single = v.scaleType == 0;
  const bool step1Valid = v.steps1 >= 0 && v.steps1 <= 8;
  if (single) {
    if (!step1Valid) return Reject("'E' must be selected properly!", "OptSteps1");
    image[ParAddr::Step1] = image[ParAddr::Step2] = v.steps1;
  } else {
    if (!step1Valid) return Reject("E1 must be selected properly!", "OptSteps1");
    image[ParAddr::Step1] = v.steps1;
    if (v.steps2 < 0 || v.steps2 > 8) return Reject("E2 must be selected properly!", "OptSteps2");
    image[ParAddr::Step2] = v.steps2;
  }
  if (auto rejected = EncodeChoice(ParList::DecimalPoint, v.decimalPoint, 6, "Decimal point must be selected properly!",
                                   "OptDP", image, ParAddr::DecimalPoint)) {
    return rejected;
  }
  const int decimals = image[ParAddr::DecimalPoint];
  if (single) {
    if (auto rejected =
            EncodeCount(v.range2, decimals, kLargestCapacity, true, "Max", "OptRange2", image, ParAddr::Capacity2)) {
      return rejected;
    }
    for (int i = 0; i < 3; ++i) image[ParAddr::Capacity1 + i] = image[ParAddr::Capacity2 + i];
  } else {
    if (auto rejected =
            EncodeCount(v.range1, decimals, kLargestCapacity, true, "Max1", "OptRange1", image, ParAddr::Capacity1)) {
      return rejected;
    }
    if (auto rejected =
            EncodeCount(v.range2, decimals, kLargestCapacity, true, "Max2", "OptRange2", image, ParAddr::Capacity2)) {
      return rejected;
    }
  }
  // Only a missing selection is refused here: a "---" item stores its value.
  const struct {
    ParList list;
    int index;
    const char* message;
    const char* focus;
    int address;
  } choices[] = {
      {ParList::Unit, v.unit, "Display unit must be selected properly!", "OptUnit", ParAddr::DisplayUnit},
      {ParList::Certified, v.certified, "Certify option must be selected properly!", "OptCertified",
       ParAddr::Certified},
      {ParList::InitialZero, v.initialZero, "Initial Zero option must be selected properly!", "OptInitialZero",
       ParAddr::InitialZero},
      {ParList::Drift, v.drift, "Drift option must be selected properly!", "OptDrift", ParAddr::Drift},
      {ParList::AutoTare, v.autoTare, "Auto Tare Option must be selected properly!", "OptAutoTare",
       ParAddr::AutoTare},
  };
  for (const auto& c : choices) {
    if (auto rejected = EncodeChoice(c.list, c.index, 10, c.message, c.focus, image, c.address)) return rejected;
  }
  return std::nullopt;
}

EntryCheck EncodeOutputs(const OutputsValues& v, ParameterImage& image) {
  if (auto rejected =
          EncodeShownCount(v.setPoint1, kLargestSetPoint, "Setpoint 1", "SetPoint1", image, ParAddr::SetPoint1)) {
    return rejected;
  }
  if (auto rejected =
          EncodeShownCount(v.setPoint2, kLargestSetPoint, "Setpoint 2", "SetPoint2", image, ParAddr::SetPoint2)) {
    return rejected;
  }
  const struct {
    int index;
    const char* message;
    const char* focus;
    int address;
  } flags[] = {
      {v.relay1Action, "Action of Setpoint 1 must be selected properly!", "Relay1Fn", ParAddr::Relay1Action},
      {v.relay2Action, "Action of Setpoint 2 must be selected properly!", "Relay2Fn", ParAddr::Relay2Action},
      {v.setPoint1Base, "Base of Setpoint 1 must be selected properly!", "SP1gross", ParAddr::SetPoint1Base},
      {v.setPoint2Base, "Base of Setpoint 2 must be selected properly!", "SP2gross", ParAddr::SetPoint2Base},
  };
  for (const auto& f : flags) {
    if (auto rejected = EncodeFlag(f.index, f.message, f.focus, image, f.address)) return rejected;
  }

  const auto delay = NumberEntry(v.relayDelay);
  if (!delay) return Reject("Delay must be a valid number!", "RLDelay");
  const double tenths = *delay * 10;
  if (tenths < 0 || tenths > 255) return Reject("Delay must be between 0 to 25.5 seconds!", "RLDelay");
  image[ParAddr::RelayDelay] = static_cast<std::int32_t>(RoundHalfEven(tenths));

  if (auto rejected = EncodeFlag(v.analogBase, "Base of analog output must be selected properly!", "Gross420", image,
                                 ParAddr::AnalogBase)) {
    return rejected;
  }
  double from = 0;
  double to = 0;
  if (auto rejected = EncodeCurrent(v.analogFrom, "Analog outputs 'from' value must be a valid number!",
                                    "Analog outputs 'from' value must be in range from 0 to 31.999!", "AnaFrom", image,
                                    ParAddr::AnalogFrom, from)) {
    return rejected;
  }
  if (auto rejected = EncodeCurrent(v.analogTo, "Analog outputs 'to' value must be a valid number!",
                                    "Analog outputs 'to' value must be in range from 0 to 31.999!", "AnaTo", image,
                                    ParAddr::AnalogTo, to)) {
    return rejected;
  }
  // Two currents left as read are the indicator's own: only a typed one must
  // keep its distance.
  const bool typed = !v.analogFrom.read || !v.analogTo.read;
  if (typed && std::fabs(from - to) < kLeastAnalogSpan) {
    return Reject("Analog outputs 'from' and 'to' values are too close! The difference is limited to 3mA's", "AnaFrom");
  }
  return EncodeShownCount(v.analogMax, kLargestSetPoint, "Maximum range for analog output", "AnaMax", image,
                          ParAddr::AnalogMax);
}

EntryCheck EncodeSerialLink(const SerialLinkValues& v, ParameterImage& image, int& address) {
  if (v.protocol < 0) return Reject("Protocol must be selected properly!", "SelProt");
  if (v.baud < 0) return Reject("Baudrate must be selected properly!", "SelBaud");
  if (v.parity < 0) return Reject("Parity must be selected properly!", "SelParity");
  if (v.dataBits < 0) return Reject("Data Bits must be selected properly!", "SelBits");
  if (v.stopBits < 0) return Reject("Stop Bits must be selected properly!", "SelStops");
  const bool rtu = v.protocol == 0;
  const bool eightBits = v.dataBits == 1;
  const bool parity = v.parity != 0;
  const bool twoStops = v.stopBits == 1;
  if (rtu && !eightBits) return Reject("Cannot communicate via 7 bits in RTU mode!");
  if (eightBits && parity && twoStops) {
    return Reject("Communication parameters of 8 bits, parity with 2 stop bits not supported by Pravinor!");
  }
  if (!eightBits && !parity && !twoStops) {
    return Reject("Communication parameters of 7 bits,noparity with 1 stop bit not supported by pravinor!");
  }
  int b = rtu ? 0 : 2;
  if (v.parity == 1) b += 12;
  if (v.parity == 2) b += 4;

  // A delay or time-out left as read goes back as its raw count, unchecked.
  const auto delay = DecimalEntry(v.delay.text);
  if (!v.delay.read && !delay) return Reject("Delay must be entered as a decimal number!", "SelDelay");
  const auto timeOut = DecimalEntry(v.timeOut.text);
  if (!v.timeOut.read && !timeOut) return Reject("Time-Out must be entered as a decimal number!", "SelTout");
  const BaudRule& rule = RuleOf(v.baud);
  b += BaudBits(v.baud);
  if (!v.delay.read && (*delay < 0 || *delay > rule.delayMax)) return Reject(rule.delayMessage, "SelDelay");
  if (!v.timeOut.read && (*timeOut < rule.timeOutMin || *timeOut > rule.timeOutMax)) {
    return Reject(rule.timeOutMessage, "SelTout");
  }
  const int factor = BaudFactor(v.baud);
  auto rawCount = [factor](const ShownCount& entry, const std::optional<double>& milliseconds) {
    return entry.read ? *entry.read : static_cast<std::int32_t>(RoundHalfEven(*milliseconds * factor));
  };
  if (eightBits) b += 128;
  if (twoStops) b += 64;
  image[ParAddr::SerialLink] = b;
  image[ParAddr::ResponseDelay] = rawCount(v.delay, delay);
  image[ParAddr::ResponseTimeOut] = rawCount(v.timeOut, timeOut);

  const auto typed = WholeEntry(v.address, 0, 255);
  if (!typed) return Reject("Modbus Address should be a integer number between 0-255 !", "SelMBid");
  address = *typed;
  return std::nullopt;
}

}  // namespace vt
