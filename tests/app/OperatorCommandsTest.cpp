#include <gtest/gtest.h>

#include "SimulatedStation.h"
#include "setup/Calibration.h"

namespace vt {
namespace {

namespace Cmd = sim::Cmd;
namespace Result = sim::Result;

class OperatorCommandsAgainstIndicator : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(station.WaitForLink()); }
  OperatorCommands& operatorCommands() { return *station.form->operatorCommands; }
  TestRun& testRun() { return *station.form->testRun; }
  std::vector<quint16> CommandCodes() {
    std::vector<quint16> codes;
    for (const auto& command : station.indicator().Commands()) codes.push_back(command.code);
    return codes;
  }

  test::SimulatedStation station;
};

TEST_F(OperatorCommandsAgainstIndicator, TareRefusalsShowProcessFailedWithThePollHeldOff) {
  station.indicator().SetLoad(10.0);
  ASSERT_TRUE(station.WaitFor([&] { return station.form->testPage->LabDispData->text() == QStringLiteral("10.0"); }));
  std::vector<bool> pollWhileOpen;
  QString shownWhileOpen;
  station.dialogs.whileOpen = [&] {
    pollWhileOpen.push_back(station.program().comm.PollEnabled);
    // The indicator moves on while the box is open; the read-out must not.
    station.indicator().SetLoad(30.0);
    test::SimulatedStation::WaitFor([] { return false; }, 300);
    shownWhileOpen = station.form->testPage->LabDispData->text();
  };

  station.indicator().ForceResult(Cmd::Tare, Result::ValueRefused);
  operatorCommands().AppTare_Click(1);
  ASSERT_EQ(station.dialogs.boxes.size(), 1u);
  EXPECT_EQ(station.dialogs.boxes[0].text, QStringLiteral("Cannot process Tare operation for a negative  or zero value."));
  EXPECT_EQ(station.dialogs.boxes[0].title, QStringLiteral("Process failed"));
  EXPECT_EQ(station.dialogs.boxes[0].style, 0);
  EXPECT_EQ(pollWhileOpen, std::vector<bool>({false}));
  EXPECT_EQ(shownWhileOpen, QStringLiteral("10.0"));
  EXPECT_TRUE(station.program().comm.PollEnabled);
  EXPECT_TRUE(station.WaitFor([&] { return station.form->testPage->LabDispData->text() == QStringLiteral("30.0"); }));

  station.indicator().ForceResult(Cmd::Tare, Result::InMotion);
  operatorCommands().AppTare_Click(1);
  EXPECT_EQ(station.dialogs.boxes.back().text, QStringLiteral("System is in-motion state."));
}

TEST_F(OperatorCommandsAgainstIndicator, TareAndFailureResetWithoutAResultFailTheCommunication) {
  station.indicator().ForceNeverCompletes(Cmd::Tare);
  operatorCommands().AppTare_Click(1);
  ASSERT_EQ(station.dialogs.boxes.size(), 1u);
  EXPECT_EQ(station.dialogs.boxes[0].text, QStringLiteral("Communication Failed"));
  EXPECT_EQ(station.dialogs.boxes[0].title, QStringLiteral("Cannot Proceed"));

  ASSERT_TRUE(station.WaitForLink());
  station.indicator().ForceResult(Cmd::ResetFailure, 0xFFFD);
  operatorCommands().cmdFailReset_Click();
  EXPECT_EQ(station.dialogs.texts(), QStringList({"Communication Failed", "Communication Failed"}));

  station.indicator().ClearForcedResults();
  station.indicator().SetLoad(12.0);
  operatorCommands().cmdFailReset_Click();
  operatorCommands().AppTare_Click(1);
  EXPECT_EQ(station.dialogs.boxes.size(), 2u);  // both done: no further box
}

// The commands written without awaiting a result go out at once; on a
// link that is down nothing is sent and each says so, the span without
// its command after a load that did not arrive.
TEST_F(OperatorCommandsAgainstIndicator, SingleWritesAreSentWithoutWaitingAndReportedWhenTheLinkIsDown) {
  Calibration calibration(station.program(), *station.form->commands);
  QPushButton* const buttons[] = {station.form->settingsPage->machinePanel->cmdSetZero,
                                  station.form->settingsPage->machinePanel->cmdPar2Ram,
                                  station.form->settingsPage->machinePanel->cmd2EEprom,
                                  station.form->testPage->cmdStart,
                                  station.form->testPage->cmdStop,
                                  calibration.cmdSetZero,
                                  calibration.cmdCalibrate};
  for (QPushButton* button : buttons) button->click();
  EXPECT_EQ(CommandCodes(), std::vector<quint16>({Cmd::Zero, Cmd::StoreToRam, Cmd::StoreToEeprom, Cmd::TestStart,
                                                  Cmd::TestStop, Cmd::Zero, Cmd::SpanCalibration}));
  EXPECT_TRUE(station.dialogs.boxes.empty());

  station.program().comm.PollEnabled = false;
  station.WaitFor([&] { return !station.program().comm.TxnBusy; });
  station.program().comm.LinkOK = false;
  for (QPushButton* button : buttons) {
    SCOPED_TRACE(button->objectName().toStdString());
    station.dialogs.boxes.clear();
    button->click();
    EXPECT_EQ(station.dialogs.texts(), QStringList{QStringLiteral("Communication Failed")});
  }
  EXPECT_EQ(CommandCodes().size(), 7u);
}

TEST_F(OperatorCommandsAgainstIndicator, StartAndStopReachTheIndicator) {
  Program& program = station.program();
  program.global.RecordLoaded = true;
  program.global.GapValue = 77;
  testRun().cmdStart_Click();
  EXPECT_FALSE(program.global.RecordLoaded);
  EXPECT_EQ(program.global.GapValue, 0);
  EXPECT_EQ(station.form->testPage->labGap->text(), QStringLiteral("0"));
  EXPECT_EQ(program.graphic.GraphSampleCount, 1);
  EXPECT_EQ(program.graphic.GraphSamples[0], -50.0);
  EXPECT_EQ(program.graphic.GraphSamples[5000], -50.0);
  EXPECT_TRUE(program.comm.PollEnabled);
  testRun().cmdStop_Click();
  EXPECT_EQ(CommandCodes(), std::vector<quint16>({Cmd::TestStart, Cmd::TestStop}));
}

// Frames that do not answer the failure reset's requests: each ends it with
// "Communication Failed", never as done.
struct Misfit {
  const char* what;
  double sim::FaultRates::*rate;
  quint8 function;  // the requests struck: the command's write, or the read-back
};

const Misfit kMisfits[] = {
    {"another slave's answer", &sim::FaultRates::foreignAddress, 0x06},
    {"another function", &sim::FaultRates::wrongFunction, 0x06},
    {"the echo of another register", &sim::FaultRates::wrongContent, 0x06},
    {"the read-back's own echo", &sim::FaultRates::echo, 0x03},
};

const std::optional<test::SerialLine> kLinks[] = {
    std::nullopt,
    test::SerialLine{sim::Transport::Ascii, QStringLiteral("9600,e,7,1")},
    test::SerialLine{sim::Transport::Rtu, QStringLiteral("9600,e,8,1")},
};

class FailureResetAnsweredByAMisfit : public ::testing::TestWithParam<std::tuple<int, int>> {
 protected:
  FailureResetAnsweredByAMisfit() : station(kLinks[std::get<0>(GetParam())]) {}
  test::SimulatedStation station;
};

TEST_P(FailureResetAnsweredByAMisfit, ShowsCommunicationFailed) {
  const Misfit& misfit = kMisfits[std::get<1>(GetParam())];
  SCOPED_TRACE(misfit.what);
  ASSERT_TRUE(station.WaitForLink());
  station.indicator().SetFailure(true);
  station.sim.Faults().onlyFunction = misfit.function;
  station.sim.Faults().Rates().*misfit.rate = 1.0;
  station.form->operatorCommands->cmdFailReset_Click();
  EXPECT_EQ(station.dialogs.texts(), QStringList({"Communication Failed"}));
  EXPECT_TRUE(station.indicator().Failure());
}

INSTANTIATE_TEST_SUITE_P(TcpAsciiRtu, FailureResetAnsweredByAMisfit,
                         ::testing::Combine(::testing::Range(0, 3), ::testing::Range(0, 4)));

}  // namespace
}  // namespace vt
