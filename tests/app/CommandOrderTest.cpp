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

const Line kSlowestAscii{Transport::Ascii, "1200,e,7,1", true};

class OnASlowLine : public ::testing::Test {
 protected:
  explicit OnASlowLine(const Line& slowLine = kSlowestAscii) : line(slowLine) {}
  void SetUp() override { ASSERT_TRUE(line.Ready()); }

  Communication& comm() { return line.comm(); }
  TestPage& testPage() { return *line.form().testPage; }
  MachinePanel& machine() { return *line.form().settingsPage->machinePanel; }
  // A transaction of a command holds the line and its request has gone out.
  bool CommandRequestAwaited() { return !comm().PollEnabled && comm().TxnBusy && comm().TxActive == 0; }
  bool Received(quint16 code) {
    const auto codes = line.CommandCodes();
    return std::find(codes.begin(), codes.end(), code) != codes.end();
  }
  bool WaitForCodes(std::size_t count, int timeoutMs = 20000) {
    return test::SimulatedStation::WaitFor([&] { return line.CommandCodes().size() >= count; }, timeoutMs);
  }

  test::StationOnALine line;
};

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

TEST_P(StartThenStop, TheIndicatorAndThePlcReceiveTheStartThenTheStop) {
  const bool whileWaitingForTheLine = std::get<1>(GetParam()) == StopPressed::WhileTheStartWaitsForTheLine;
  // The start is pressed while the poll's request goes out, so its write
  // first waits for the line, then for its answer.
  line.PressWhen(testPage().cmdStart, [&] { return comm().PollEnabled && comm().TxnBusy && comm().TxActive != 0; });
  line.PressWhen(testPage().cmdStop, [&] {
    return whileWaitingForTheLine ? comm().WaitLine != 0 : CommandRequestAwaited() && Received(Cmd::TestStart);
  });
  ASSERT_TRUE(line.WaitForPresses(2));
  ASSERT_TRUE(WaitForCodes(2));

  EXPECT_EQ(line.CommandCodes(), std::vector<quint16>({Cmd::TestStart, Cmd::TestStop}));
  EXPECT_EQ(line.PlcCommandWords(2), std::vector<int>({PlcCmd::Start, PlcCmd::Stop}));
  // Between the press and the stop's write only what held the line then.
  QStringList between = line.RequestsBetween(QStringLiteral("cmdStop"), Cmd::TestStop);
  between.removeOne(test::kPollRequest);
  EXPECT_EQ(between, whileWaitingForTheLine ? QStringList{test::WriteOfCode(Cmd::TestStart)} : QStringList{});
  EXPECT_TRUE(line.station.dialogs.boxes.empty());
}

const Line kSlowLines[] = {
    {Transport::Ascii, "1200,e,7,1", true}, {Transport::Ascii, "1200,o,7,1", true},
    {Transport::Ascii, "2400,e,7,1", true}, {Transport::Ascii, "2400,o,7,1", true},
    {Transport::Rtu, "1200,e,8,1", true},   {Transport::Rtu, "1200,o,8,1", true},
    {Transport::Rtu, "2400,e,8,1", true},   {Transport::Rtu, "2400,o,8,1", true},
};

INSTANTIATE_TEST_SUITE_P(SlowLines, StartThenStop,
                         ::testing::Combine(::testing::ValuesIn(kSlowLines),
                                            ::testing::Values(StopPressed::WhileTheStartWaitsForTheLine,
                                                              StopPressed::WhileTheStartAwaitsItsAnswer)));

// ---- The stop pressed while an awaited command waits for its result ----

struct AwaitedCommand {
  const char* name;
  QPushButton* (*button)(MainForm&);
  quint16 code;  // the command that never ends
};

void PrintTo(const AwaitedCommand& command, std::ostream* out) { *out << command.name; }

const AwaitedCommand kAwaited[] = {
    {"failure reset", [](MainForm& f) { return f.settingsPage->machinePanel->cmdFailReset; }, Cmd::ResetFailure},
    {"tare", [](MainForm& f) { return f.settingsPage->machinePanel->AppTare[1]; }, Cmd::Tare},
    {"scale panel read", [](MainForm& f) { return f.settingsPage->ReadPar[1]; }, Cmd::ReadParam},
};

class StopDuringAnAwaitedCommand : public ::testing::WithParamInterface<AwaitedCommand>, public OnASlowLine {};

TEST_P(StopDuringAnAwaitedCommand, GoesOutAfterTheRequestOnTheLineAndTheCommandFails) {
  const AwaitedCommand& awaited = GetParam();
  line.station.indicator().SetFailure(true);
  line.station.indicator().ForceNeverCompletes(awaited.code);
  std::vector<quint16> codesAtTheBox;
  line.station.dialogs.whileOpen = [&](const ScriptedDialogs::Box&) { codesAtTheBox = line.CommandCodes(); };

  line.PressWhen(awaited.button(line.form()), [] { return true; });
  line.PressWhen(testPage().cmdStop, [&] { return CommandRequestAwaited() && Received(awaited.code); });
  ASSERT_TRUE(line.WaitForPresses(2, 60000));

  // The stop waited for the request on the line, no more; the command's own
  // write went out once, and it ends as failed, its box after the stop.
  EXPECT_LE(line.RequestsBetween(QStringLiteral("cmdStop"), Cmd::TestStop).size(), 1);
  const auto codes = line.CommandCodes();
  EXPECT_EQ(std::count(codes.begin(), codes.end(), awaited.code), 1);
  EXPECT_EQ(codes.back(), Cmd::TestStop);
  EXPECT_EQ(line.PlcCommandWords(1), std::vector<int>({PlcCmd::Stop}));
  EXPECT_EQ(line.station.dialogs.texts(), QStringList({"Communication Failed"}));
  ASSERT_FALSE(codesAtTheBox.empty());
  EXPECT_EQ(codesAtTheBox.back(), Cmd::TestStop);
  EXPECT_TRUE(line.station.indicator().Failure());
}

// A row's name without its blanks, as the test's name.
template <typename Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info) {
  return QString::fromLatin1(info.param.name).remove(QLatin1Char(' ')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Awaited, StopDuringAnAwaitedCommand, ::testing::ValuesIn(kAwaited),
                         RowName<AwaitedCommand>);

// ---- Set zero pressed while a command the indicator refuses waits ----

struct Refusal {
  const char* name;
  QPushButton* (*button)(MainForm&);
  quint16 code;
  quint16 result;
  const char* box;
  bool pollWhileOpen;
};

void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.name; }

const Refusal kRefusals[] = {
    {"failure reset", [](MainForm& f) { return f.settingsPage->machinePanel->cmdFailReset; }, Cmd::ResetFailure,
     Result::Refused, "Communication Failed", true},
    {"tare", [](MainForm& f) { return f.settingsPage->machinePanel->AppTare[1]; }, Cmd::Tare, Result::ValueRefused,
     "Cannot process Tare operation for a negative  or zero value.", false},
};

class ZeroDuringARefusedCommand : public ::testing::WithParamInterface<Refusal>, public OnASlowLine {};

TEST_P(ZeroDuringARefusedCommand, TheCommandReportsItsOwnResultAndTheZeroGoesOutBeforeTheBox) {
  const Refusal& refusal = GetParam();
  line.station.indicator().ForceResult(refusal.code, refusal.result);
  std::vector<quint16> codesAtTheBox;
  std::optional<bool> pollAtTheBox;
  line.station.dialogs.whileOpen = [&](const ScriptedDialogs::Box&) {
    codesAtTheBox = line.CommandCodes();
    pollAtTheBox = comm().PollEnabled;
  };

  line.PressWhen(refusal.button(line.form()), [] { return true; });
  line.PressWhen(machine().cmdSetZero, [&] { return CommandRequestAwaited() && Received(refusal.code); });
  ASSERT_TRUE(line.WaitForPresses(2));

  EXPECT_EQ(line.station.dialogs.texts(), QStringList({QString::fromLatin1(refusal.box)}));
  EXPECT_EQ(line.CommandCodes(), std::vector<quint16>({refusal.code, Cmd::Zero}));
  EXPECT_EQ(codesAtTheBox, line.CommandCodes());
  EXPECT_EQ(pollAtTheBox, refusal.pollWhileOpen);
}

INSTANTIATE_TEST_SUITE_P(Refused, ZeroDuringARefusedCommand, ::testing::ValuesIn(kRefusals), RowName<Refusal>);

// ---- Many presses at random moments ----

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
      {testPage().cmdStop, Cmd::TestStop, PlcCmd::Stop}, {machine().cmdSetZero, Cmd::Zero, 0},
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
