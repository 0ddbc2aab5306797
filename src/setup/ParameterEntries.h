#pragma once

#include <QString>
#include <optional>

#include "setup/ParameterMap.h"

namespace vt {

// The first entry of a panel that fails its check: the operator's message
// and the name of the control that takes the focus (empty for none).
struct EntryRejection {
  QString message;
  QString focus;
  bool operator==(const EntryRejection&) const = default;
};
using EntryCheck = std::optional<EntryRejection>;

// The kinds of typed entry, each nothing when the text does not convert:
// a number entry takes "," or "." as the decimal sign; a decimal entry and
// a whole-number entry take "." only, the whole number rounding halves to
// the even neighbour and refusing values outside [min, max].
std::optional<double> NumberEntry(const QString& text);
std::optional<double> DecimalEntry(const QString& text);
std::optional<int> WholeEntry(const QString& text, int min, int max);

// Each panel's checks and encodings into the image, in their fixed order.
// The first rejected entry ends the encoding; cells encoded before it stay
// changed in the image. A count left as read goes back as read, unchecked.
EntryCheck EncodeProduction(const ProductionValues& values, ParameterImage& image);
EntryCheck EncodeScale(const ScaleValues& values, ParameterImage& image);
EntryCheck EncodeOutputs(const OutputsValues& values, ParameterImage& image);
// The serial-link byte, the response delay and time-out into cells 0, 2 and
// 3, then the check of the Modbus address, which `address` receives; the
// caller stores it into cell 1 once the operator has confirmed an address 0.
EntryCheck EncodeSerialLink(const SerialLinkValues& values, ParameterImage& image, int& address);

}  // namespace vt
