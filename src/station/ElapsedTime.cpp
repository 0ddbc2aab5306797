#include "station/ElapsedTime.h"

#include "settings/Formats.h"
#include "settings/NumberText.h"

namespace vt {

ElapsedTime::ElapsedTime(Program& program, TestPage& testPage, Leds& leds)
    : program_(program), page_(testPage), leds_(leds) {}

void ElapsedTime::secTmr_Timer() {
  if (leds_.IsOn(page_.HOLDRUN) && leds_.IsOff(page_.holdOK)) graphRefresh();
}

void ElapsedTime::graphRefresh() {
  Graphic& graphic = program_.graphic;
  graphic.TestStop = program_.clock.Now();
  const double seconds = (static_cast<double>(program_.clock.TickMs()) - graphic.TestStartTick) / 1000;
  page_.labResultTimePassSeconds->setText(PlainNumber(seconds));
  // LabTimeLog(0) stands at the right end of the axis, LabTimeLog(4) at its start.
  const QString unit = QStringLiteral("sn");
  for (int k = 0; k < 4; ++k) {
    page_.LabTimeLog[k]->setText(FormatNumber(seconds / 4 * (4 - k), QStringLiteral("#0.0")) + unit);
  }
  page_.LabTimeLog[4]->setText(QStringLiteral("0") + unit);
}

}  // namespace vt
