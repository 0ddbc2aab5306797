#include "link/Communication.h"

#include "settings/NumberText.h"

namespace vt {

int Communication::DevAddressNumber() const { return RoundToInt(Val(DevAddress)); }

}  // namespace vt
