// No window, box, question or file dialog holds back the stop or a press
// made before it opened; a command pressed before the stop is overtaken:
// it sends, asks and reports nothing after the stop's press; closing the
// main window in a command's wait ends the program and lets nothing more
// out: the main window against the simulated indicator on a slow serial
// line, with the PLC on a pseudo-terminal.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include "StationOnALine.h"
#include "reports/ReportTab.h"
#include "support/ModalWindows.h"

namespace vt {
namespace {

namespace Cmd = sim::Cmd;
using sim::Transport;
using test::Line;

const QString kCommFailed = QStringLiteral("Communication Failed");
const Line kRtu2400{Transport::Rtu, "2400,e,8,1", true};
const Line kAscii1200{Transport::Ascii, "1200,e,7,1", true};

// What the indicator and the PLC had received when something first showed.
struct AtFirstShowing {
  std::vector<quint16> codes;
  std::vector<int> plcWords;
  bool seen = false;
};

class StopOnALine : public test::OnASlowLine {
 protected:
  explicit StopOnALine(const Line& slowLine) : OnASlowLine(slowLine) {}

  SettingsPage& settings() { return *line.form().settingsPage; }
  bool Awaited(quint16 code) { return CommandRequestAwaited() && Received(code); }

  // Records, once, what had gone out when the first window, box, prompt or
  // file dialog showed, waiting there up to `plcWords` PLC frames (a frame
  // held back by the window never comes while it is open); closes windows.
  void RecordFirstShowing(std::size_t plcWords) {
    auto record = [this, plcWords] {
      if (first.seen) return;
      first.seen = true;
      first.codes = line.CommandCodes();
      first.plcWords = line.PlcCommandWords(int(plcWords), 3000);
    };
    line.station.dialogs.whileOpen = record;
    auto* watch = new QTimer(&line.form());
    QObject::connect(watch, &QTimer::timeout, [record, watch] {
      auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!window || !window->isVisible()) return;
      record();
      window->reject();
    });
    watch->start(5);
  }

  AtFirstShowing first;
};

// ---- A window, a box or a file dialog opened behind the stop or a start ----

struct OpenedBehind {
  const char* name;
  QAbstractButton* (*opener)(MainForm&);
  bool stop;                      // else "BAŞLAT"
  const char* report = nullptr;  // a failure the opener still reports behind the stop
};

void PrintTo(const OpenedBehind& row, std::ostream* out) { *out << row.name; }

// The production panel's write, its panel open as in service mode and
// holding a date a write accepts; it asks before it writes.
QAbstractButton* ProductionWrite(MainForm& form) {
  form.settingsPage->SetPar[0]->setEnabled(true);
  ProductionPanel& panel = *form.settingsPage->productionPanel;
  panel.PDDay->setCurrentIndex(4);
  panel.PDMon->setCurrentIndex(5);
  panel.PDYear->setCurrentIndex(panel.PDYear->count() - 1);
  return form.settingsPage->SetPar[0];
}

// The record save, into a Tests folder that cannot be made: a file of that
// name stands in its place.
QAbstractButton* FailingRecordSave(MainForm& form) {
  const QString tests = form.program.programFolder + QStringLiteral("/Tests");
  QDir(tests).removeRecursively();
  QFile(tests).open(QIODevice::WriteOnly);
  return form.testPage->cmdSaveTestOnly;
}

const OpenedBehind kOpenedBehind[] = {
    {"calibration", [](MainForm& f) -> QAbstractButton* { return f.settingsPage->machinePanel->Command1; }, true},
    {"memory window", [](MainForm& f) -> QAbstractButton* { return f.settingsPage->cmdMemoryDump; }, true},
    {"link options", [](MainForm& f) -> QAbstractButton* { return f.settingsPage->linkPanel->cmdConn; }, true},
    {"data logging", [](MainForm& f) -> QAbstractButton* { return f.settingsPage->SelDatLog; }, true},
    {"data directory", [](MainForm& f) -> QAbstractButton* { return f.settingsPage->SpecDatapath; }, true},
    {"serial number", [](MainForm& f) -> QAbstractButton* { return f.settingsPage->Serialization; }, true},
    {"record open", [](MainForm& f) -> QAbstractButton* { return f.testPage->browseOlds; }, true},
    {"print question", [](MainForm& f) -> QAbstractButton* { return f.testPage->cmdPrint; }, true},
    {"panel write", ProductionWrite, true},
    {"failed record save", FailingRecordSave, true, "Cannot write test record file"},
    {"start behind calibration", [](MainForm& f) -> QAbstractButton* { return f.settingsPage->machinePanel->Command1; },
     false},
};

class OpenedBehindAPress : public ::testing::WithParamInterface<std::tuple<Line, OpenedBehind>>, public StopOnALine {
 protected:
  OpenedBehindAPress() : StopOnALine(std::get<0>(GetParam())) {}
};

// A start pressed after the opener goes out before its window, box or file
// dialog shows; the stop overtakes the opener, which asks nothing, but
// reports a failure of its own work once the stop has gone out.
TEST_P(OpenedBehindAPress, ShowsAfterAStartAndNotAtAllBehindTheStop) {
  const OpenedBehind& row = std::get<1>(GetParam());
  QAbstractButton* pressed = row.stop ? testPage().cmdStop : testPage().cmdStart;
  const quint16 code = row.stop ? Cmd::TestStop : Cmd::TestStart;
  const int plcWord = row.stop ? PlcCmd::Stop : PlcCmd::Start;
  // A failure reset that takes its time: the stop overtakes it, a start
  // waits for it.
  line.station.indicator().SetReadsUntilDone(8);
  RecordFirstShowing(1);

  QAbstractButton* opener = row.opener(line.form());
  line.PressWhen(machine().cmdFailReset, [] { return true; });
  line.PressWhen(opener, [&] { return Awaited(Cmd::ResetFailure); });
  line.PressWhen(pressed, [&] { return line.Pressed(opener); });
  ASSERT_TRUE(line.WaitForPresses(3));
  ASSERT_TRUE(WaitForCodes(2));
  ASSERT_TRUE(test::SimulatedStation::WaitFor(
      [&] { return (first.seen || row.stop) && !line.station.program().commandQueue.LineTaken(); }, 20000));

  EXPECT_EQ(line.CommandCodes(), std::vector<quint16>({Cmd::ResetFailure, code}));
  if (row.report) {
    EXPECT_EQ(first.codes, std::vector<quint16>({Cmd::ResetFailure, code}));
    EXPECT_EQ(first.plcWords, std::vector<int>({plcWord}));
    const QStringList texts = line.station.dialogs.texts();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].startsWith(QString::fromLatin1(row.report))) << texts[0].toStdString();
  } else if (row.stop) {
    EXPECT_FALSE(first.seen);
    EXPECT_EQ(line.PlcCommandWords(1), std::vector<int>({plcWord}));
  } else {
    EXPECT_EQ(first.codes, std::vector<quint16>({Cmd::ResetFailure, code}));
    EXPECT_EQ(first.plcWords, std::vector<int>({plcWord}));
  }
  // Neither the overtaken reset nor the one a start waited for fails.
  EXPECT_FALSE(line.station.dialogs.texts().contains(kCommFailed));
}

INSTANTIATE_TEST_SUITE_P(Rows, OpenedBehindAPress,
                         ::testing::Combine(::testing::Values(kRtu2400, kAscii1200), ::testing::ValuesIn(kOpenedBehind)));

// ---- Questions and commands overtaken or left alone ----

class OnRtu2400 : public StopOnALine {
 protected:
  OnRtu2400() : StopOnALine(kRtu2400) {}

  bool LineFree() {
    return test::SimulatedStation::WaitFor([&] { return !line.station.program().commandQueue.LineTaken(); });
  }
};

// The password prompt of the settings tab waits for the command on the
// line, however often the tabs change meanwhile; the stop pressed then
// overtakes it: it is never asked, and the settings tab stays closed.
TEST_F(OnRtu2400, TheSettingsPasswordPromptIsOvertakenByTheStop) {
  line.station.indicator().ForceNeverCompletes(Cmd::ResetFailure);
  line.PressWhen(machine().cmdFailReset, [] { return true; });
  auto* chooseSettings = new QTimer(&line.form());
  QObject::connect(chooseSettings, &QTimer::timeout, [&, chooseSettings] {
    if (!Awaited(Cmd::ResetFailure)) return;
    chooseSettings->stop();
    line.Note(QStringLiteral("press SSTab1"));
    line.form().SSTab1->setCurrentIndex(Tab::Settings);
    line.form().SSTab1->setCurrentIndex(Tab::Report);  // another tab while the password waits
    line.PressAfter(testPage().cmdStop, 0);
  });
  chooseSettings->start(1);
  ASSERT_TRUE(line.WaitForPresses(2));
  ASSERT_TRUE(WaitForCodes(2));
  ASSERT_TRUE(LineFree());

  EXPECT_EQ(line.CommandCodes(), std::vector<quint16>({Cmd::ResetFailure, Cmd::TestStop}));
  EXPECT_TRUE(line.station.dialogs.prompts.empty());
  EXPECT_TRUE(line.station.dialogs.boxes.empty());
  EXPECT_EQ(line.form().SSTab1->currentIndex(), Tab::Report);
}

// A press queued behind an awaited command is no stop: the command still
// gets its result.
TEST_F(OnRtu2400, APressBehindAnAwaitedCommandLetsItFinish) {
  line.station.indicator().SetReadsUntilDone(6);
  const std::pair<QPushButton*, quint16> commands[] = {{machine().cmdFailReset, Cmd::ResetFailure},
                                                       {machine().AppTare[1], Cmd::Tare}};
  for (const auto& [first, second] : {std::pair{0, 1}, std::pair{1, 0}}) {
    line.station.indicator().SetLoad(20.0 + 10 * first);  // a value to tare every time
    const auto [firstButton, firstCode] = commands[first];
    const auto [secondButton, secondCode] = commands[second];
    const int before = line.Presses();
    const std::size_t codesBefore = line.CommandCodes().size();
    line.PressWhen(firstButton, [] { return true; });
    line.PressWhen(secondButton, [&, firstCode = firstCode] { return Awaited(firstCode); });
    ASSERT_TRUE(line.WaitForPresses(before + 2));
    ASSERT_TRUE(WaitForCodes(codesBefore + 2));
    ASSERT_TRUE(test::SimulatedStation::WaitFor([&] { return !line.station.program().commandQueue.LineTaken(); }));
    const auto codes = line.CommandCodes();
    EXPECT_EQ(std::vector<quint16>(codes.begin() + codesBefore, codes.end()),
              std::vector<quint16>({firstCode, secondCode}));
  }
  EXPECT_TRUE(line.station.dialogs.boxes.empty()) << line.station.dialogs.texts().join(", ").toStdString();
}

// A press during the wait of a panel write for the line goes out after the
// write, which holds the line from then on; unless the write asks first:
// then the press goes out before the question, and the poll stays off.
class APressWhileAPanelWriteWaitsForTheLine : public ::testing::WithParamInterface<bool>, public OnRtu2400 {};

TEST_P(APressWhileAPanelWriteWaitsForTheLine, FollowsTheWriteOrGoesOutBeforeItsQuestion) {
  const bool asks = GetParam();
  ProductionWrite(line.form());
  line.station.program().global.ProtectionKeyOn = !asks;
  line.station.dialogs.answers = {MsgAnswer::Yes};
  std::vector<bool> pollAtTheBoxes;
  line.station.dialogs.whileOpen = [&] { pollAtTheBoxes.push_back(comm().PollEnabled); };
  line.station.indicator().FailParameterCommands(1000);
  line.PressWhen(settings().SetPar[0], [&] { return comm().PollEnabled && comm().TxnBusy && comm().TxActive != 0; });
  line.PressWhen(machine().cmdSetZero, [&] { return line.Pressed(settings().SetPar[0]) && comm().WaitLine != 0; });
  ASSERT_TRUE(line.WaitForPresses(2));
  ASSERT_TRUE(test::SimulatedStation::WaitFor([&] { return line.station.dialogs.texts().contains(kCommFailed); }));

  const auto codes = line.CommandCodes();
  EXPECT_EQ(std::count(codes.begin(), codes.end(), Cmd::Zero), 1);
  EXPECT_EQ(asks ? codes.front() : codes.back(), Cmd::Zero);
  EXPECT_EQ(asks ? codes[1] : codes.front(), Cmd::DeviceType);
  EXPECT_EQ(line.station.dialogs.texts().size(), asks ? 2 : 1);
  EXPECT_EQ(pollAtTheBoxes, std::vector<bool>(asks ? 2 : 1, false));
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutTheQuestion, APressWhileAPanelWriteWaitsForTheLine, ::testing::Bool());

// A window's own buttons queue behind each other too: the span pressed
// during the zero's write follows it whole.
TEST_F(OnRtu2400, TheCalibrationWindowsButtonsQueueBehindEachOther) {
  test::WhenShown(QStringLiteral("Password"), [](QDialog& window) {
    window.findChild<QLineEdit*>(QStringLiteral("txtPass"))->setText(QStringLiteral("8061"));
    window.findChild<QPushButton*>(QStringLiteral("cmdExit"))->click();
  });
  test::WhenShown(QStringLiteral("Calibration"), [this](QDialog& window) {
    auto* span = window.findChild<QPushButton*>(QStringLiteral("cmdCalibrate"));
    line.PressWhen(span, [this] { return Awaited(Cmd::Zero); });
    window.findChild<QPushButton*>(QStringLiteral("cmdSetZero"))->click();
    line.WaitForPresses(1);
    window.reject();
  });
  machine().Command1->click();

  EXPECT_EQ(line.QueuedPresses(), 1);
  EXPECT_EQ(line.CommandCodes(), std::vector<quint16>({Cmd::Zero, Cmd::SpanCalibration}));
  EXPECT_TRUE(line.station.dialogs.boxes.empty()) << line.station.dialogs.texts().join(", ").toStdString();
}

// ---- Closing the main window in a command's wait ----

// Parameters: closed by the Exit button (else the window's); "BİTİR"
// pressed near the close (else "BAŞLAT"); pressed just after it (else just
// before).
class ClosedInAWait : public ::testing::WithParamInterface<std::tuple<bool, bool, bool>>, public OnRtu2400 {};

TEST_P(ClosedInAWait, EndsTheProgramLettingOnlyTheStopOut) {
  const auto [byExitButton, stop, after] = GetParam();
  QPushButton* pressed = stop ? testPage().cmdStop : testPage().cmdStart;
  MainForm& form = line.form();
  form.show();
  QFile::remove(line.station.folder.File(QStringLiteral("kelbrin.cfg")));
  line.station.indicator().ForceNeverCompletes(Cmd::ResetFailure);
  line.PressWhen(machine().cmdFailReset, [] { return true; });
  std::optional<bool> shownAfterTheClose;
  auto* close = new QTimer(&form);
  QObject::connect(close, &QTimer::timeout, [&, close] {
    if (!Awaited(Cmd::ResetFailure)) return;
    close->stop();
    if (!after) line.Press(pressed);
    line.Note(QStringLiteral("press close"));
    if (byExitButton) {
      testPage().cmdExit->click();
    } else {
      form.close();
    }
    shownAfterTheClose = form.isVisible();
    if (after) line.Press(pressed);
  });
  close->start(1);
  QTimer giveUp;
  giveUp.setSingleShot(true);
  QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::quit(); });
  giveUp.start(30000);
  // The program's own loop: it returns when the last window has closed.
  QCoreApplication::exec();

  EXPECT_TRUE(giveUp.isActive());
  EXPECT_EQ(shownAfterTheClose, true);
  EXPECT_FALSE(form.isVisible());
  // At most the command's read on the line at the close, and the stop's
  // write when it was pressed before.
  const bool stopBefore = stop && !after;
  const qsizetype closed = line.log.indexOf(QStringLiteral("press close"));
  ASSERT_GE(closed, 0);
  QStringList afterTheClose = line.log.mid(closed + 1);
  afterTheClose.removeAll(test::kPollRequest);
  afterTheClose.removeIf([](const QString& entry) {
    return entry.startsWith(QStringLiteral("press ")) || entry.startsWith(QStringLiteral("plc "));
  });
  EXPECT_LE(afterTheClose.size(), stopBefore ? 2 : 1) << afterTheClose.join(" | ").toStdString();
  EXPECT_EQ(line.CommandCodes(), stopBefore ? std::vector<quint16>({Cmd::ResetFailure, Cmd::TestStop})
                                            : std::vector<quint16>({Cmd::ResetFailure}));
  EXPECT_EQ(line.PlcCommandWords(1, 300), stop ? std::vector<int>({PlcCmd::Stop}) : std::vector<int>());
  EXPECT_TRUE(line.station.dialogs.boxes.empty()) << line.station.dialogs.texts().join(", ").toStdString();
  EXPECT_TRUE(QFile::exists(line.station.folder.File(QStringLiteral("kelbrin.cfg"))));
}

INSTANTIATE_TEST_SUITE_P(ExitButtonOrCloseButton, ClosedInAWait,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool(), ::testing::Bool()));

// ---- A PLC command to a lost port ----

const QString kNotSent = QStringLiteral("COM2 Not Available: the machine did not get the command");
const QString kStopNotSent = kNotSent + QStringLiteral(". Stop the machine with its emergency stop button");
const QString kNotStarted = QStringLiteral("COM2 Not Available: the test was not started");

// Each PLC command that cannot reach the PLC says so at its press, once,
// naming the port; a start sends nothing and leaves the window's test as
// it was; each stop's box comes once the indicator has its stop.
TEST_F(OnRtu2400, APlcCommandToALostPortSaysSoAtItsPress) {
  line.plc.Hangup();
  ASSERT_TRUE(test::SimulatedStation::WaitFor(
      [&] { return machine().labPLCComm->text() == QStringLiteral("Haberleşme Portu Hatalı"); }));
  line.station.program().global.RecordLoaded = true;
  std::vector<quint16> codesAtTheLastBox;
  line.station.dialogs.whileOpen = [&] { codesAtTheLastBox = line.CommandCodes(); };
  for (QAbstractButton* button :
       {testPage().cmdPLCPrepare, testPage().cmdStart, testPage().cmdStop, testPage().cmdStop}) {
    line.Press(button);
  }
  ASSERT_TRUE(LineFree());

  EXPECT_EQ(line.station.dialogs.texts(), QStringList({kNotSent, kNotStarted, kStopNotSent, kStopNotSent}));
  EXPECT_EQ(line.CommandCodes(), std::vector<quint16>({Cmd::TestStop, Cmd::TestStop}));
  EXPECT_EQ(codesAtTheLastBox, line.CommandCodes());
  EXPECT_TRUE(line.station.program().global.RecordLoaded);
}

// A stop pressed while an earlier one's refused 52 shows its box, the close
// between them: the boxes come in the order pressed, the failed 52's first.
TEST_F(OnRtu2400, TheBoxesOfStopsAroundTheCloseComeInTheOrderPressed) {
  line.plc.Hangup();
  line.station.indicator().RefuseCommandWrites(Cmd::TestStop);
  line.form().show();
  line.PressWhen(testPage().cmdStop, [&] {
    if (!Awaited(Cmd::TestStop)) return false;
    line.form().close();
    return true;
  });
  line.Press(testPage().cmdStop);
  ASSERT_TRUE(test::SimulatedStation::WaitFor([&] { return !line.form().isVisible(); }));

  EXPECT_EQ(line.station.dialogs.texts(), QStringList({kCommFailed, kStopNotSent, kStopNotSent}));
  EXPECT_EQ(line.CommandCodes(), std::vector<quint16>({Cmd::TestStop}));
}

// A start whose PLC frame fails once the indicator has taken its 51: the 52
// ends the indicator's test before any box shows; a start that a stop
// overtook tells nothing, the stop tells its own.
struct StartNotGot {
  const char* name;
  bool stopRefused;  // the indicator refuses the 52
  bool stopPressed;  // "BİTİR" is pressed while the start's 52 waits
  QStringList boxes;
  std::vector<quint16> codes;
};

void PrintTo(const StartNotGot& row, std::ostream* out) { *out << row.name; }

const StartNotGot kStartsNotGot[] = {
    {"ended at once", false, false, {kNotStarted}, {Cmd::TestStart, Cmd::TestStop}},
    {"its 52 refused", true, false, {kCommFailed, kNotStarted}, {Cmd::TestStart, Cmd::TestStop}},
    {"the stop pressed in its 52", false, true, {kStopNotSent}, {Cmd::TestStart, Cmd::TestStop, Cmd::TestStop}},
};

class AStartTheMachineDidNotGet : public ::testing::WithParamInterface<StartNotGot>, public OnRtu2400 {};

TEST_P(AStartTheMachineDidNotGet, EndsTheIndicatorsTestBeforeItsBox) {
  const StartNotGot& row = GetParam();
  if (row.stopRefused) line.station.indicator().RefuseCommandWrites(Cmd::TestStop);
  std::optional<std::vector<quint16>> codesAtTheFirstBox;
  line.station.dialogs.whileOpen = [&] {
    if (!codesAtTheFirstBox) codesAtTheFirstBox = line.CommandCodes();
  };
  QTimer unplug;  // the PLC's device goes away while the 51 waits
  QObject::connect(&unplug, &QTimer::timeout, [&] {
    if (!Awaited(Cmd::TestStart)) return;
    unplug.stop();
    line.plc.Hangup();
  });
  unplug.start(1);
  if (row.stopPressed) line.PressWhen(testPage().cmdStop, [&] { return Awaited(Cmd::TestStop); });
  line.Press(testPage().cmdStart);
  ASSERT_TRUE(line.WaitForPresses(row.stopPressed ? 2 : 1));
  ASSERT_TRUE(LineFree());

  EXPECT_EQ(line.station.dialogs.texts(), row.boxes);
  EXPECT_EQ(line.CommandCodes(), row.codes);
  EXPECT_EQ(codesAtTheFirstBox, row.codes);
}

INSTANTIATE_TEST_SUITE_P(Rows, AStartTheMachineDidNotGet, ::testing::ValuesIn(kStartsNotGot));

}  // namespace
}  // namespace vt
