// The operator's commands reach the indicator and the PLC in the order the
// buttons were pressed, the stop without being held back by another
// command's wait, and each command with its own result: the main window
// against the simulated indicator on a slow serial line, with the PLC on a
// pseudo-terminal.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "StationOnALine.h"

namespace vt {
namespace {

namespace Cmd = sim::Cmd;
namespace Result = sim::Result;
using sim::Transport;
using test::Line;
using test::OnASlowLine;

// ---- The start, and the stop pressed during the start's write ----

enum class StopPressed { WhileTheStartWaitsForTheLine, WhileTheStartAwaitsItsAnswer };

void PrintTo(StopPressed moment, std::ostream* out) {
  *out << (moment == StopPressed::WhileTheStartWaitsForTheLine ? "while the start waits for the line"
                                                               : "while the start awaits its answer");
}

class StartThenStop : public ::testing::WithParamInterface<std::tuple<Line, StopPressed>>, public OnASlowLine {
 protected:
  StartThenStop() : OnASlowLine(std::get<0>(GetParam())) {}
};

TEST_P(StartThenStop, ThePlcGetsTheStopAtThePressAndNeverTheOvertakenStart) {
  const bool whileWaitingForTheLine = std::get<1>(GetParam()) == StopPressed::WhileTheStartWaitsForTheLine;
  // The start is pressed while the poll's request goes out, so its write
  // first waits for the line, then for its answer.
  line.PressWhen(testPage().cmdStart, [&] { return comm().PollEnabled && comm().TxnBusy && comm().TxActive != 0; });
  line.PressWhen(testPage().cmdStop, [&] {
    return whileWaitingForTheLine ? comm().WaitLine != 0 : CommandRequestAwaited() && Received(Cmd::TestStart);
  });
  ASSERT_TRUE(line.WaitForPresses(2));
  ASSERT_TRUE(WaitForCodes(whileWaitingForTheLine ? 1 : 2));

  // The stop overtakes the start: a start that waited for the line sends
  // nothing, one on the line ends with its write. The machine never gets
  // the start, and its stop comes before the indicator's.
  EXPECT_EQ(line.CommandCodes(), whileWaitingForTheLine ? std::vector<quint16>({Cmd::TestStop})
                                                        : std::vector<quint16>({Cmd::TestStart, Cmd::TestStop}));
  EXPECT_EQ(line.PlcCommandWords(2, 300), std::vector<int>({PlcCmd::Stop}));
  EXPECT_LT(line.log.indexOf(QStringLiteral("plc 3")), line.log.indexOf(test::WriteOfCode(Cmd::TestStop)));
  // Between the press and the stop's write at most the poll that held the line.
  QStringList between = line.RequestsBetween(QStringLiteral("cmdStop"), Cmd::TestStop);
  between.removeOne(test::kPollRequest);
  EXPECT_EQ(between, QStringList{});
  EXPECT_TRUE(line.station.dialogs.boxes.empty());
}

const Line kSlowLines[] = {
    {Transport::Ascii, "1200,e,7,1", true}, {Transport::Ascii, "1200,o,7,1", true},
    {Transport::Ascii, "2400,e,7,1", true}, {Transport::Ascii, "2400,o,7,1", true},
    {Transport::Rtu, "1200,e,8,1", true},   {Transport::Rtu, "1200,o,8,1", true},
    {Transport::Rtu, "2400,e,8,1", true},   {Transport::Rtu, "2400,o,8,1", true},
    {Transport::Ascii, "4800,e,7,1", true}, {Transport::Ascii, "4800,o,7,1", true},
};

INSTANTIATE_TEST_SUITE_P(SlowLines, StartThenStop,
                         ::testing::Combine(::testing::ValuesIn(kSlowLines),
                                            ::testing::Values(StopPressed::WhileTheStartWaitsForTheLine,
                                                              StopPressed::WhileTheStartAwaitsItsAnswer)));

// ---- A press while a command waits for its result ----

struct PressInsideAWait {
  const char* name;
  QPushButton* (*command)(MainForm&);
  quint16 code;
  std::optional<quint16> result;  // none: the command never ends
  bool stop;                      // the stop is pressed, else "Sıfır Al"
  const char* box;                // none: the stop overtook the command
  bool pollWhileOpen;
};

void PrintTo(const PressInsideAWait& row, std::ostream* out) { *out << row.name; }

QPushButton* FailureReset(MainForm& form) { return form.settingsPage->machinePanel->cmdFailReset; }
QPushButton* Tare(MainForm& form) { return form.settingsPage->machinePanel->AppTare[1]; }

const PressInsideAWait kPressesInsideAWait[] = {
    {"stop in a failure reset", FailureReset, Cmd::ResetFailure, std::nullopt, true, nullptr, true},
    {"stop in a tare", Tare, Cmd::Tare, std::nullopt, true, nullptr, true},
    {"zero in a refused failure reset", FailureReset, Cmd::ResetFailure, Result::Refused, false, "Communication Failed",
     true},
    {"zero in a refused tare", Tare, Cmd::Tare, Result::ValueRefused, false,
     "Cannot process Tare operation for a negative  or zero value.", false},
};

class PressInsideAnAwaitedCommand : public ::testing::WithParamInterface<PressInsideAWait>, public OnASlowLine {};

TEST_P(PressInsideAnAwaitedCommand, GoesOutBeforeTheCommandsBoxAndTheCommandKeepsItsOwnResult) {
  const PressInsideAWait& row = GetParam();
  if (row.result) {
    line.station.indicator().ForceResult(row.code, *row.result);
  } else {
    line.station.indicator().ForceNeverCompletes(row.code);
  }
  std::vector<quint16> codesAtTheBox;
  std::optional<bool> pollAtTheBox;
  line.station.dialogs.whileOpen = [&] {
    codesAtTheBox = line.CommandCodes();
    pollAtTheBox = comm().PollEnabled;
  };
  QPushButton* pressed = row.stop ? testPage().cmdStop : machine().cmdSetZero;
  const quint16 pressedCode = row.stop ? Cmd::TestStop : Cmd::Zero;

  line.PressWhen(row.command(line.form()), [] { return true; });
  line.PressWhen(pressed, [&] { return CommandRequestAwaited() && Received(row.code); });
  ASSERT_TRUE(line.WaitForPresses(2, 60000));

  // The command wrote its code once and reports its own result, in a box
  // shown after the press went out; a command the stop overtook reports
  // nothing.
  ASSERT_TRUE(test::SimulatedStation::WaitFor([&] { return !line.station.program().commandQueue.LineTaken(); }));
  const auto codes = line.CommandCodes();
  EXPECT_EQ(std::count(codes.begin(), codes.end(), row.code), 1);
  EXPECT_EQ(codes.back(), pressedCode);
  EXPECT_EQ(line.station.dialogs.texts(), row.box ? QStringList({QString::fromLatin1(row.box)}) : QStringList());
  if (row.box) {
    EXPECT_EQ(codesAtTheBox, codes);
    EXPECT_EQ(pollAtTheBox, row.pollWhileOpen);
  }
  if (row.stop) {
    // The stop waited for the request on the line, no more; the PLC did not wait.
    EXPECT_LE(line.RequestsBetween(pressed->objectName(), pressedCode).size(), 1);
    EXPECT_EQ(line.PlcCommandWords(1), std::vector<int>({PlcCmd::Stop}));
    EXPECT_LT(line.log.indexOf(QStringLiteral("plc 3")), line.log.indexOf(test::WriteOfCode(Cmd::TestStop)));
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, PressInsideAnAwaitedCommand, ::testing::ValuesIn(kPressesInsideAWait),
                         [](const auto& info) {
                           return QString::fromLatin1(info.param.name).remove(QLatin1Char(' ')).toStdString();
                         });

// ---- Many presses at random moments (the stop among them: PressSequencesTest) ----

class RandomPresses : public OnASlowLine {
 protected:
  RandomPresses() : OnASlowLine({Transport::Ascii, "2400,e,7,1", true}) {}
};

TEST_F(RandomPresses, ReachTheIndicatorAndThePlcInThePressedOrder) {
  struct Button {
    QPushButton* button;
    quint16 code;  // 0: none to the indicator
    int plcWord;   // 0: none to the PLC
  };
  const std::vector<Button> buttons = {
      {testPage().cmdPLCPrepare, 0, PlcCmd::Prepare}, {testPage().cmdStart, Cmd::TestStart, PlcCmd::Start},
      {machine().cmdSetZero, Cmd::Zero, 0},
      {machine().AppTare[1], Cmd::Tare, 0},           {machine().cmdPar2Ram, Cmd::StoreToRam, 0},
      {machine().cmd2EEprom, Cmd::StoreToEeprom, 0},   {machine().cmdFailReset, Cmd::ResetFailure, 0},
  };
  constexpr int kPresses = 36;
  std::mt19937 random(20261209);
  int at = 0;
  for (int i = 0; i < kPresses; ++i) {
    at += std::uniform_int_distribution<int>(0, 250)(random);
    line.PressAfter(buttons[std::uniform_int_distribution<std::size_t>(0, buttons.size() - 1)(random)].button, at);
  }
  ASSERT_TRUE(line.WaitForPresses(kPresses, 60000));

  std::map<QString, const Button*> byName;
  for (const Button& button : buttons) byName[button.button->objectName()] = &button;
  std::vector<quint16> codes;
  std::vector<int> plcWords;
  for (const QString& entry : line.log) {
    if (!entry.startsWith(QStringLiteral("press "))) continue;
    const Button& pressed = *byName.at(entry.mid(6));
    if (pressed.code != 0) codes.push_back(pressed.code);
    if (pressed.plcWord != 0) plcWords.push_back(pressed.plcWord);
  }
  ASSERT_TRUE(WaitForCodes(codes.size(), 60000));
  EXPECT_EQ(line.CommandCodes(), codes);
  EXPECT_EQ(line.PlcCommandWords(int(plcWords.size())), plcWords);
  EXPECT_GE(line.QueuedPresses(), 5);  // many presses came while a command held the line

  // With nothing queued, a command waits for its result again.
  const std::size_t boxes = line.station.dialogs.boxes.size();
  machine().cmdFailReset->click();
  EXPECT_EQ(line.station.dialogs.boxes.size(), boxes) << line.station.dialogs.texts().join(", ").toStdString();
}

// ---- The busy mark while a request goes out ----

TEST_F(OnASlowLine, ACommandRefusedOnABadLinkLeavesTheDrainingPollRequestOnTheLine) {
  std::optional<bool> busyAfterThePress;
  QObject::connect(machine().cmdSetZero, &QPushButton::clicked, [&] { busyAfterThePress = comm().TxnBusy; });
  line.PressWhen(machine().cmdSetZero, [&] {
    if (!comm().PollEnabled || comm().TxActive == 0) return false;
    comm().LinkOK = false;
    return true;
  });
  ASSERT_TRUE(line.WaitForPresses(1));
  EXPECT_EQ(busyAfterThePress, true);
  EXPECT_TRUE(line.CommandCodes().empty());
}

}  // namespace
}  // namespace vt
