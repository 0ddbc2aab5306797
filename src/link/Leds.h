#pragma once

#include <QPixmap>

#include "platform/LedImage.h"

namespace vt {

// The two shared LED pictures and the blink phase. Every status LED shows
// one of these two very picture objects.
class Leds {
 public:
  Leds(const QPixmap& onPicture, const QPixmap& offPicture) : LedOnPic(&onPicture), LedOffPic(&offPicture) {}

  const QPixmap* const LedOnPic;
  const QPixmap* const LedOffPic;
  bool BlinkPhase = false;  // flipped by the poll timer's LED refresh

  // Shows the LED-on or LED-off picture in an LED from a state; a blinking
  // LED is on only while the blink phase is on.
  void BlinkControl(bool blinks, bool state, LedImage* led) const;

  bool IsOn(const LedImage* led) const { return led->Picture() == LedOnPic; }
  bool IsOff(const LedImage* led) const { return led->Picture() == LedOffPic; }
};

}  // namespace vt
