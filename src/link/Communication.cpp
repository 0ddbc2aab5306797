#include "link/Communication.h"

#include "settings/NumberText.h"

namespace vt {

int Communication::DevAddressNumber() const { return static_cast<int>(RoundHalfEven(Val(DevAddress))); }

}  // namespace vt
