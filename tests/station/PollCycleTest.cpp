#include "station/PollCycle.h"

#include "StationFixture.h"

namespace vt::test {
namespace {

using Registers = std::array<std::int32_t, 12>;

Registers LiveValue(std::int32_t status, std::int32_t low, std::int32_t high) {
  Registers r{};
  r[3] = status;
  r[8] = low;
  r[9] = high;
  return r;
}

struct PollCycleTest : StationFixture {
  PollCycleTest() {
    program.comm.PollEnabled = true;
    program.comm.DevAddress = QStringLiteral("1");
  }

  // One prompt poll: the tick that sends, the answer, the tick that decodes.
  void PollOnce(const Registers& registers) {
    poll.Timer1_Timer();
    link.Answer(registers);
    poll.Timer1_Timer();
  }

  void Ticks(int n) {
    for (int i = 0; i < n; ++i) poll.Timer1_Timer();
  }

  PollCycle poll{program, testPage, leds, machinePanel, &labCommTestVal, link, curve};
};

TEST_F(PollCycleTest, LiveValueIsShownWithTheIndicatorsDecimals) {
  struct Case {
    Registers registers;
    int dp;
    const char* shown;
  };
  const Case cases[] = {
      {LiveValue(0x0200, 2345, 0), 2, "23.45"},
      {LiveValue(0x0100, 0xFFFE, 0xFFFF), 1, "-0.2"},
      {LiveValue(0x0000, 1500, 0), 0, "1500"},
      // Seven decimals are shown with six.
      {LiveValue(0x0700, 123456789 & 0xFFFF, 123456789 >> 16), 7, "12.345679"},
      // Bits outside 8 to 10 do not change the decimal count.
      {LiveValue(0xF8FF | 0x0300, 12345, 0), 3, "12.345"},
  };
  for (const Case& c : cases) {
    PollOnce(c.registers);
    EXPECT_EQ(program.global.DispDP, c.dp);
    EXPECT_EQ(testPage.LabDispData->text(), QString::fromLatin1(c.shown));
    EXPECT_EQ(labCommTestVal.text(), QString::fromLatin1(c.shown));
  }
}

TEST_F(PollCycleTest, HoldValueIsShownInTheGraphUnit) {
  Registers r = LiveValue(0x0100, 0, 0);
  r[10] = 100;
  testPage.graphUnit->setCurrentIndex(1);  // Newton
  testPage.graphUnit_Click();
  PollOnce(r);
  EXPECT_EQ(testPage.labHoldVal->text(), QStringLiteral("98.1"));

  testPage.graphUnit->setCurrentIndex(2);  // kNewton: three more decimals, six at most
  testPage.graphUnit_Click();
  EXPECT_EQ(testPage.labTensileUnit->text(), QStringLiteral("kNewton"));
  for (const auto& [decimals, hold, shown] : {std::tuple{1, 1000, "0.9807"}, std::tuple{4, 123456, "0.121069"},
                                              std::tuple{5, 1234567890, "121.069752"},
                                              std::tuple{6, 1234567890, "12.106975"}}) {
    r[3] = decimals << 8;
    r[10] = hold & 0xFFFF;
    r[11] = hold >> 16;
    PollOnce(r);
    EXPECT_EQ(testPage.labHoldVal->text(), QString::fromLatin1(shown));
  }
}

TEST_F(PollCycleTest, EncoderCountIsShownAsAWholeNumber) {
  Registers r{};
  r[6] = 65535;
  PollOnce(r);
  EXPECT_EQ(testPage.labEncoder->text(), QStringLiteral("65535"));
}

TEST_F(PollCycleTest, StoredTestKeepsHoldAndEncoderUntilALiveSampleIsFed) {
  testPage.labHoldVal->setText(QStringLiteral("55.5"));
  testPage.labEncoder->setText(QStringLiteral("777"));
  program.global.RecordLoaded = true;
  Registers r = LiveValue(0x0100, 123, 0);
  r[6] = 42;
  r[10] = 999;
  PollOnce(r);
  EXPECT_EQ(testPage.LabDispData->text(), QStringLiteral("12.3"));
  EXPECT_EQ(testPage.labHoldVal->text(), QStringLiteral("55.5"));
  EXPECT_EQ(testPage.labEncoder->text(), QStringLiteral("777"));

  ShowTestRunning();
  PollOnce(r);  // fed to the curve: the window shows a live test from now on
  EXPECT_FALSE(program.global.RecordLoaded);
  EXPECT_EQ(testPage.labEncoder->text(), QStringLiteral("777"));
  PollOnce(r);
  EXPECT_EQ(testPage.labHoldVal->text(), QStringLiteral("99.9"));
  EXPECT_EQ(testPage.labEncoder->text(), QStringLiteral("42"));
}

TEST_F(PollCycleTest, LedsFollowTheRegistersOnlyEveryTenthTick) {
  Registers r{};
  r[3] = 0x1000 | 0x8000;  // inputs 1 and 4
  r[5] = 0x0100;           // break watch
  PollOnce(r);
  Ticks(7);
  EXPECT_EQ(testPage.HOLDRUN->Picture(), nullptr);
  EXPECT_EQ(testPage.InputLed[0]->Picture(), nullptr);
  EXPECT_FALSE(leds.BlinkPhase);

  poll.Timer1_Timer();  // the tenth tick
  EXPECT_TRUE(leds.IsOn(testPage.InputLed[0]));
  EXPECT_TRUE(leds.IsOff(testPage.InputLed[1]));
  EXPECT_TRUE(leds.IsOff(testPage.InputLed[2]));
  EXPECT_TRUE(leds.IsOn(testPage.InputLed[3]));
  EXPECT_TRUE(leds.IsOn(testPage.HOLDRUN));
  EXPECT_TRUE(leds.IsOff(testPage.holdOK));
  EXPECT_TRUE(leds.BlinkPhase);
  EXPECT_FALSE(program.graphic.NewTestPending);

  r[5] = 0x0200;  // break observed, break watch off
  PollOnce(r);
  Ticks(7);
  EXPECT_TRUE(leds.IsOn(testPage.HOLDRUN));
  EXPECT_TRUE(leds.IsOff(testPage.holdOK));
  EXPECT_FALSE(program.graphic.NewTestPending);
  poll.Timer1_Timer();  // the twentieth tick
  EXPECT_TRUE(leds.IsOff(testPage.HOLDRUN));
  EXPECT_TRUE(leds.IsOn(testPage.holdOK));
  EXPECT_TRUE(program.graphic.NewTestPending);
  EXPECT_FALSE(leds.BlinkPhase);
}

TEST_F(PollCycleTest, CurveIsFedOnlyWhileTheLedsShowATestRunning) {
  program.comm.LinkOK = true;
  machinePanel.txtPreLoading->setText(QStringLiteral("5"));
  Registers r = LiveValue(0x0100, 20, 0);  // 2.0, below the pre-load
  r[5] = 0x0100;
  r[6] = 300;
  for (int i = 0; i < 4; ++i) PollOnce(r);
  EXPECT_EQ(program.graphic.GraphSampleCount, 2) << "no test shown on the LEDs yet";
  EXPECT_EQ(testPage.labGap->text(), QString());

  PollOnce(r);  // its first tick refreshes the LEDs
  EXPECT_EQ(program.graphic.GraphSampleCount, 3);
  EXPECT_EQ(program.graphic.GraphSamples[3], 2.0);
  EXPECT_EQ(testPage.labGap->text(), QStringLiteral("300"));
  EXPECT_EQ(program.global.GapValue, 300);

  r[5] = 0x0300;  // the break: feeding stops at the next refresh
  for (int i = 0; i < 4; ++i) PollOnce(r);
  EXPECT_EQ(program.graphic.GraphSampleCount, 7);
  PollOnce(r);
  PollOnce(r);
  EXPECT_EQ(program.graphic.GraphSampleCount, 7);
}

TEST_F(PollCycleTest, BadAnswerRepeatsTheReadOutsAndAddsNoSample) {
  program.comm.LinkOK = true;
  ShowTestRunning();
  Registers good = LiveValue(0x0200, 2345, 0);
  good[6] = 55;
  PollOnce(good);
  EXPECT_EQ(program.graphic.GraphSampleCount, 3);

  link.answersGood = false;
  machinePanel.txtPreLoading->setText(QStringLiteral("100"));
  PollOnce(LiveValue(0x0200, 9999, 0));
  EXPECT_EQ(testPage.LabDispData->text(), QStringLiteral("23.45"));
  EXPECT_EQ(testPage.labEncoder->text(), QStringLiteral("55"));
  EXPECT_FALSE(program.comm.LinkOK);
  EXPECT_EQ(program.graphic.GraphSampleCount, 3);
  EXPECT_EQ(program.global.GapValue, 55) << "the gap is still tracked";
}

TEST_F(PollCycleTest, GapFollowsTheEncoderOnlyBelowThePreLoad) {
  machinePanel.txtPreLoading->setText(QStringLiteral("50"));
  testPage.labEncoder->setText(QStringLiteral("640"));
  testPage.labGap->setText(QStringLiteral("0"));

  testPage.LabDispData->setText(QStringLiteral("50"));
  poll.TrackGap();
  EXPECT_EQ(program.global.GapValue, 0);
  EXPECT_EQ(testPage.labGap->text(), QStringLiteral("0"));

  testPage.LabDispData->setText(QStringLiteral(" 49.99"));
  poll.TrackGap();
  EXPECT_EQ(program.global.GapValue, 640);
  EXPECT_EQ(testPage.labGap->text(), QStringLiteral("640"));

  testPage.labEncoder->setText(QStringLiteral("700"));
  testPage.LabDispData->setText(QStringLiteral("50.01"));
  poll.TrackGap();
  EXPECT_EQ(program.global.GapValue, 640) << "the gap freezes once the force passes the pre-load";
}

TEST_F(PollCycleTest, PromptAnswerIsDecodedOnTheNextTickAndPollingGoesOn) {
  poll.Timer1_Timer();
  ASSERT_EQ(link.requests.size(), 1u);
  EXPECT_EQ(link.requests[0].address, 1);
  EXPECT_EQ(link.requests[0].body, QStringLiteral("030000000C"));
  EXPECT_EQ(link.requests[0].expectedLen, 56);
  EXPECT_EQ(program.comm.TickCount, 1);

  link.Answer(LiveValue(0, 7, 0));
  poll.Timer1_Timer();
  EXPECT_EQ(link.requests.size(), 1u);
  EXPECT_EQ(testPage.LabDispData->text(), QStringLiteral("7"));
  EXPECT_FALSE(program.comm.TxnBusy);
  EXPECT_FALSE(program.comm.RespDone);

  program.comm.DevAddress = QStringLiteral("17");
  poll.Timer1_Timer();
  ASSERT_EQ(link.requests.size(), 2u);
  EXPECT_EQ(link.requests[1].address, 17);
}

TEST_F(PollCycleTest, NeverAnsweringIndicatorTimesOutAndIsPolledAgain) {
  Communication& comm = program.comm;
  comm.LinkOK = true;
  comm.CmdTimer = 20;
  Ticks(11);
  EXPECT_EQ(link.requests.size(), 1u);
  EXPECT_FALSE(comm.TimedOut);
  EXPECT_TRUE(comm.TxnBusy);

  poll.Timer1_Timer();  // 12th
  EXPECT_TRUE(comm.TimedOut);
  EXPECT_TRUE(comm.LinkOK);

  poll.Timer1_Timer();  // 13th: the link flags are cleared
  EXPECT_EQ(link.abandoned, 1);
  EXPECT_FALSE(comm.LinkOK);
  EXPECT_FALSE(comm.TxnBusy);
  EXPECT_FALSE(comm.TimedOut);
  EXPECT_EQ(link.requests.size(), 1u);

  poll.Timer1_Timer();  // 14th: the next poll
  EXPECT_EQ(link.requests.size(), 2u);
  EXPECT_EQ(comm.CmdTimer, 6);
  Ticks(10);
  EXPECT_EQ(comm.CmdTimer, 0) << "the command countdown stops at 0";
}

TEST_F(PollCycleTest, ARequestStillGoingOutNeitherTimesOutNorLetsAnotherIn) {
  Communication& comm = program.comm;
  poll.Timer1_Timer();
  comm.TxActive = -1;  // a slow line: the request is still being sent
  Ticks(30);
  EXPECT_FALSE(comm.TimedOut);
  EXPECT_EQ(link.requests.size(), 1u);
  comm.TxActive = 0;
  comm.TickCount = 0;  // armed once its last byte has gone
  Ticks(12);
  EXPECT_TRUE(comm.TimedOut);
}

TEST_F(PollCycleTest, AnswerCompletedBeforeTheClearingTickIsStillDecoded) {
  Ticks(12);
  ASSERT_TRUE(program.comm.TimedOut);
  link.Answer(LiveValue(0, 31, 0));
  poll.Timer1_Timer();
  EXPECT_EQ(testPage.LabDispData->text(), QStringLiteral("31"));
  EXPECT_TRUE(program.comm.LinkOK);
  poll.Timer1_Timer();
  EXPECT_EQ(link.requests.size(), 2u);
}

TEST_F(PollCycleTest, WaitingTransactionKeepsThePollOffTheLine) {
  program.comm.WaitLine = -1;
  Ticks(3);
  EXPECT_TRUE(link.requests.empty());
  EXPECT_EQ(program.comm.TickCount, 3);
  program.comm.WaitLine = 0;
  poll.Timer1_Timer();
  EXPECT_EQ(link.requests.size(), 1u);
}

TEST_F(PollCycleTest, WithPollingOffOnlyTheCountdownsRun) {
  Communication& comm = program.comm;
  // A register transaction holds the line: its request is outstanding.
  comm.PollEnabled = false;
  comm.TxnBusy = true;
  comm.LinkOK = true;
  comm.CmdTimer = 5;
  testPage.LabDispData->setText(QStringLiteral("x"));
  link.Answer(LiveValue(0, 1, 0));
  Ticks(12);
  EXPECT_TRUE(link.requests.empty());
  EXPECT_EQ(testPage.LabDispData->text(), QStringLiteral("x")) << "the transaction parses its own answer";
  EXPECT_TRUE(comm.TimedOut);
  EXPECT_TRUE(comm.TxnBusy);
  EXPECT_TRUE(comm.LinkOK);
  EXPECT_EQ(comm.CmdTimer, 0);
}

TEST_F(PollCycleTest, UnusablePortSendsNothingButTheClockAndCountdownsRun) {
  link.usable = false;
  program.comm.CmdTimer = 3;
  Ticks(2);
  EXPECT_TRUE(link.requests.empty());
  EXPECT_EQ(program.comm.CmdTimer, 1);
  EXPECT_EQ(testPage.LabDate_->text(), QStringLiteral("05.03.2026 09:07:00"));
  clock.Advance(61000);
  poll.Timer1_Timer();
  EXPECT_EQ(testPage.LabDate_->text(), QStringLiteral("05.03.2026 09:08:01"));
}

}  // namespace
}  // namespace vt::test
