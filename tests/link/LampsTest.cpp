// The status LEDs and the transmit and receive lamps.
#include <gtest/gtest.h>

#include "link/LinkRig.h"

namespace vt {
namespace {

using test::LinkRig;

TEST(Lamps, BlinkControlFollowsStateBlinkingAndPhase) {
  LinkRig rig;
  LedImage led;
  for (bool phase : {false, true}) {
    rig.leds.BlinkPhase = phase;
    for (bool blinks : {false, true}) {
      rig.leds.BlinkControl(blinks, false, &led);
      EXPECT_TRUE(rig.leds.IsOff(&led));
    }
    rig.leds.BlinkControl(false, true, &led);
    EXPECT_TRUE(rig.leds.IsOn(&led));
    rig.leds.BlinkControl(true, true, &led);
    EXPECT_EQ(rig.leds.IsOn(&led), phase);
    EXPECT_EQ(led.Picture(), phase ? &rig.onPicture : &rig.offPicture);
  }
}

TEST(Lamps, RequestsEveryTwoTicksKeepTheTransmitLampFlashing) {
  LinkRig rig;
  rig.comm.IndPort = 1;  // RTU on a closed port: the request goes nowhere
  rig.comm.RTUMode = 1;
  for (int request = 0; request < 3; ++request) {
    rig.link.SendRequest(1, "030000000C", 56);
    EXPECT_TRUE(rig.leds.IsOn(&rig.IndComTx)) << request;
    rig.link.tmrCommAct_Timer();
    EXPECT_TRUE(rig.leds.IsOn(&rig.IndComTx));
    rig.link.tmrCommAct_Timer();
    EXPECT_TRUE(rig.leds.IsOff(&rig.IndComTx));
    // Relit only from 0: a send now leaves the lamp off.
    rig.link.SendRequest(1, "030000000C", 56);
    EXPECT_TRUE(rig.leds.IsOff(&rig.IndComTx));
    rig.link.tmrCommAct_Timer();
    EXPECT_EQ(rig.comm.TxLampCount, 0);
  }
}

TEST(Lamps, ReceiveLampsComeOnAtTheNextTickAndGoOffAtTheOneAfter) {
  LinkRig rig;
  rig.comm.IndPort = 1;
  rig.link.CollectSerialInput(":01");  // ASCII input lights the lamps' countdown
  EXPECT_EQ(rig.comm.RxLampCount, 3);
  EXPECT_EQ(rig.IndComRx.Picture(), nullptr);
  rig.link.tmrCommAct_Timer();
  EXPECT_TRUE(rig.leds.IsOn(&rig.IndComRx));
  EXPECT_TRUE(rig.leds.IsOn(&rig.IndComRxHome));
  rig.link.tmrCommAct_Timer();
  EXPECT_TRUE(rig.leds.IsOff(&rig.IndComRx));
  EXPECT_TRUE(rig.leds.IsOff(&rig.IndComRxHome));
  rig.link.tmrCommAct_Timer();
  EXPECT_EQ(rig.comm.RxLampCount, 0);
}

TEST(Lamps, WithoutTrafficAllActivityLampsShowOff) {
  LinkRig rig;
  for (int tick = 0; tick < 3; ++tick) {
    rig.link.tmrCommAct_Timer();
    for (const LedImage* lamp : {&rig.IndComTx, &rig.IndComRx, &rig.IndComRxHome}) {
      EXPECT_TRUE(rig.leds.IsOff(lamp));
    }
  }
}

}  // namespace
}  // namespace vt
