#include "link/Communication.h"

#include "settings/NumberText.h"

namespace vt {

std::optional<int> StationAddress(const QString& text) {
  const auto number = StrictNumber(text, PointFormat());
  if (!number || *number < kFirstStation || *number > kLastStation) return std::nullopt;
  return RoundToInt(*number);
}

int Communication::DevAddressNumber() const { return StationAddress(DevAddress).value_or(kFirstStation); }

}  // namespace vt
