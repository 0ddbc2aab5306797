#include "link/Leds.h"

namespace vt {

void Leds::BlinkControl(bool blinks, bool state, LedImage* led) const {
  const bool lit = state && (!blinks || BlinkPhase);
  led->SetPicture(lit ? LedOnPic : LedOffPic);
}

}  // namespace vt
