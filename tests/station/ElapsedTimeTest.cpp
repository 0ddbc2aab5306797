#include "station/ElapsedTime.h"

#include "StationFixture.h"

namespace vt::test {
namespace {

struct ElapsedTimeTest : StationFixture {
  ElapsedTimeTest() { program.graphic.TestStartTick = static_cast<double>(clock.TickMs()); }

  QStringList TimeAxis() const {
    QStringList texts;
    for (QLabel* label : testPage.LabTimeLog) texts << label->text();
    return texts;
  }

  ElapsedTime elapsed{program, testPage, leds};
};

TEST_F(ElapsedTimeTest, ElapsedSecondsAreSpreadOverTheTimeAxis) {
  clock.Advance(10000);
  elapsed.graphRefresh();
  EXPECT_EQ(testPage.labResultTimePassSeconds->text(), QStringLiteral("10"));
  EXPECT_EQ(TimeAxis(), (QStringList{"10.0sn", "7.5sn", "5.0sn", "2.5sn", "0sn"}));
  EXPECT_EQ(program.graphic.TestStop, clock.Now());

  clock.Advance(2345);
  elapsed.graphRefresh();
  EXPECT_EQ(testPage.labResultTimePassSeconds->text(), QStringLiteral("12.345"));
  EXPECT_EQ(TimeAxis(), (QStringList{"12.3sn", "9.3sn", "6.2sn", "3.1sn", "0sn"}));
}

TEST_F(ElapsedTimeTest, TimerMovesTheLabelsOnlyWhileTheLedsShowATestRunning) {
  clock.Advance(4000);
  elapsed.secTmr_Timer();  // the LEDs show nothing yet
  EXPECT_EQ(testPage.labResultTimePassSeconds->text(), QString());

  leds.BlinkControl(false, true, testPage.HOLDRUN);
  leds.BlinkControl(false, true, testPage.holdOK);  // the break was seen
  elapsed.secTmr_Timer();
  EXPECT_EQ(testPage.labResultTimePassSeconds->text(), QString());

  ShowTestRunning();
  elapsed.secTmr_Timer();
  EXPECT_EQ(testPage.labResultTimePassSeconds->text(), QStringLiteral("4"));
  EXPECT_EQ(testPage.LabTimeLog[0]->text(), QStringLiteral("4.0sn"));
}

}  // namespace
}  // namespace vt::test
