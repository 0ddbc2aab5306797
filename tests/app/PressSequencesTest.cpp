// Random sequences of presses of every command button and every window's
// buttons, with the stop among them: windows are closed after a random
// while, questions answered Yes or No at random and boxes acknowledged.
// From what the indicator and the PLC received, in order with the presses:
// - the stop is prompt: between its press and its 52 the indicator gets at
//   most the request that was on the line and a poll;
// - the stop is last: nothing of a command pressed before it follows it,
//   at the indicator or at the PLC;
// - the commands go out in the order pressed, a command set aside behind
//   its question only after the presses made meanwhile;
// - no press is lost: each goes out, shows its failure, was declined or
//   was overtaken by a stop pressed after it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>
#include <map>
#include <optional>
#include <random>

#include "StationOnALine.h"

namespace vt {
namespace {

namespace Cmd = sim::Cmd;
using sim::Transport;
using test::Line;

// The first request a press sends the indicator, when it sends one.
constexpr int kNoRequest = 0;
constexpr int kSpanLoad = -1;  // the span's load, into register 2

struct ButtonKind {
  int first = kNoRequest;
  int plcWord = 0;
  bool asksFirst = false;  // may go out after later presses, or not at all
  bool closes = false;     // closes its window
};

// Every button the operator can press, by its name in the log.
const std::map<QString, ButtonKind> kButtons = {
    {"cmdPLCPrepare", {kNoRequest, PlcCmd::Prepare}},
    {"cmdStart", {Cmd::TestStart, PlcCmd::Start}},
    {"cmdStop", {Cmd::TestStop, PlcCmd::Stop}},
    {"cmdSetZero", {Cmd::Zero}},
    {"AppTare(1)", {Cmd::Tare}},
    {"cmdPar2Ram", {Cmd::StoreToRam}},
    {"cmd2EEprom", {Cmd::StoreToEeprom}},
    {"cmdFailReset", {Cmd::ResetFailure}},
    {"ReadPar(1)", {Cmd::DeviceType}},
    {"SetPar(0)", {Cmd::DeviceType, 0, true}},
    {"Command1", {}},
    {"cmdMemoryDump", {}},
    {"cmdConn", {}},
    {"SpecDatapath", {}},
    {"SelDatLog", {}},
    {"Serialization", {}},
    {"cmdSaveTestOnly", {}},
    {"browseOlds", {}},
    {"cmdPrint", {}},
    {"Password/cmdExit", {kNoRequest, 0, false, true}},
    {"Password/Command2", {kNoRequest, 0, false, true}},
    {"Calibration/cmdSetZero", {Cmd::Zero}},
    {"Calibration/cmdCalibrate", {kSpanLoad}},
    {"Calibration/cmdExit", {kNoRequest, 0, false, true}},
    {"MemoryDump/ReadPar", {Cmd::DeviceType}},
    {"MemoryDump/SetPar", {Cmd::DeviceType}},
    {"MemoryDump/FetFileComp", {}},
    {"MemoryDump/StoreFileComp", {}},
    {"MemoryDump/cmdCancel", {kNoRequest, 0, false, true}},
    {"CommOptions/cmdApply", {}},
    {"CommOptions/cmdOK", {kNoRequest, 0, false, true}},
    {"CommOptions/cmdCancel", {kNoRequest, 0, false, true}},
    {"DirSelectForm/Command1", {kNoRequest, 0, false, true}},
    {"DirSelectForm/Command2", {kNoRequest, 0, false, true}},
    {"FormLog/Ok", {kNoRequest, 0, false, true}},
    {"FormLog/Cancel", {kNoRequest, 0, false, true}},
    {"WinSerialNum/cmdOK", {kNoRequest, 0, false, true}},
    {"WinSerialNum/cmdCancel", {kNoRequest, 0, false, true}},
};

// What a request the indicator received is to these checks.
struct Request {
  enum Kind { Poll, Start, Continuation } kind;
  int first = kNoRequest;  // of a Start: the code, or kSpanLoad
};

Request Classify(const QString& entry) {
  const QByteArray pdu = QByteArray::fromHex(entry.toLatin1());
  const int function = quint8(pdu[0]);
  const int start = quint8(pdu[1]) << 8 | quint8(pdu[2]);
  const int word = pdu.size() >= 5 ? quint8(pdu[3]) << 8 | quint8(pdu[4]) : 0;
  if (function == 0x03) return {word == 12 ? Request::Poll : Request::Continuation};
  if (start == 2) return {Request::Start, kSpanLoad};
  if (start != 0) return {Request::Continuation};
  // Register 0 takes the code: the value of function 06, the first of 10h.
  const int code = function == 0x06 ? word : quint8(pdu[6]) << 8 | quint8(pdu[7]);
  const bool starts = code == Cmd::TestStart || code == Cmd::TestStop || code == Cmd::Zero || code == Cmd::Tare ||
                      code == Cmd::StoreToRam || code == Cmd::StoreToEeprom || code == Cmd::ResetFailure ||
                      code == Cmd::DeviceType;
  return {starts ? Request::Start : Request::Continuation, code};
}

// The checks over the log of one run.
class PressLog {
 public:
  explicit PressLog(const QStringList& log) {
    for (qsizetype at = 0; at < log.size(); ++at) {
      const QString& entry = log[at];
      if (entry.startsWith(QStringLiteral("press "))) {
        presses_.push_back({at, entry.mid(6)});
      } else if (entry.startsWith(QStringLiteral("plc "))) {
        plcWords_.push_back(entry.mid(4).toInt());
      } else if (entry.startsWith(QStringLiteral("box "))) {
        const QString box = entry.mid(4);  // the answer, a blank and the text
        boxes_.push_back({box.section(QLatin1Char(' '), 0, 0).toInt(), box.section(QLatin1Char(' '), 1)});
        if (boxes_.back().second.startsWith(QStringLiteral("Communication Failed"))) lastLinkFailure_ = at;
      } else {
        requests_.push_back({at, Classify(entry), entry});
      }
    }
  }

  // The PLC got the prepare, start and stop frames in the order pressed,
  // every stop among them; a frame left out belongs to a press that a stop
  // pressed after it overtook, or to a start whose indicator command failed
  // (on a loaded machine the indicator may answer too late).
  void ExpectPlcWordsInPressOrder() const {
    std::size_t next = 0;  // the next frame
    for (std::size_t i = 0; i < presses_.size(); ++i) {
      const int word = Kind(presses_[i]).plcWord;
      if (!word) continue;
      if (next < plcWords_.size() && plcWords_[next] == word) {
        ++next;
      } else {
        EXPECT_TRUE(OvertakenAt(i) || LinkFailedAfter(i)) << presses_[i].name.toStdString() << " left out";
      }
    }
    EXPECT_EQ(next, plcWords_.size()) << "PLC words beyond the presses";
  }
  // Every stop's frame has come.
  bool PlcStopsComplete() const {
    return std::count(plcWords_.begin(), plcWords_.end(), PlcCmd::Stop) >= StopPresses();
  }

  // Every command's first request in the order pressed; a command asking
  // first may come later, after presses made meanwhile, or not at all.
  // Then each stop: prompt and last.
  void ExpectOrderAndStops() {
    std::vector<std::size_t> pending;  // presses that still owe their first request
    for (std::size_t i = 0; i < presses_.size(); ++i) {
      if (Kind(presses_[i]).first != kNoRequest) pending.push_back(i);
    }
    std::optional<std::size_t> segmentPress;  // the press whose command the requests belong to
    for (const Received& request : requests_) {
      if (request.what.kind == Request::Poll) continue;
      if (request.what.kind == Request::Continuation) {
        ASSERT_TRUE(segmentPress) << request.text.toStdString();
        EXPECT_TRUE(Continues(Kind(presses_[*segmentPress]).first, request.what.first))
            << request.text.toStdString() << " after " << presses_[*segmentPress].name.toStdString();
        continue;
      }
      // A press that a stop overtook may have begun before the stop's press,
      // and then sends the first request after the press, no later one.
      std::erase_if(pending, [&](std::size_t i) {
        const auto stop = StopAfter(i);
        return !IsStop(i) && stop && std::any_of(started_.begin(), started_.end(),
                                   [&](const auto& started) { return started.second > presses_[*stop].at; });
      });
      const auto match = MatchPending(pending, request);
      ASSERT_TRUE(match) << "no press made before it goes out as " << request.text.toStdString() << " at "
                         << request.at;
      segmentPress = *match;
      started_[*match] = request.at;
    }
    // A command that never went out was overtaken by a later stop; or it
    // asks first and was declined, or shows its failure: so does a stop
    // refused while the link options window reopened the port, and a
    // command refused while the link is down after a late answer.
    std::erase_if(pending, [&](std::size_t i) { return OvertakenAt(i); });
    for (std::size_t i : pending) {
      EXPECT_TRUE(Kind(presses_[i]).asksFirst || IsStop(i) || LinkFailedAfter(i))
          << presses_[i].name.toStdString() << " never went out";
    }
    EXPECT_LE(qsizetype(pending.size()),
              Boxes(QStringLiteral("Protection key"), MsgAnswer::No) + Boxes(QStringLiteral("Communication Failed")));
    ExpectStopsPromptAndLast();
  }

  int Presses() const { return int(presses_.size()); }
  int StopPresses() const {
    return int(std::count_if(presses_.begin(), presses_.end(),
                             [](const Press& press) { return press.name == QStringLiteral("cmdStop"); }));
  }

 private:
  struct Press {
    qsizetype at;
    QString name;
  };
  struct Received {
    qsizetype at;
    Request what;
    QString text;
  };

  static const ButtonKind& Kind(const Press& press) { return kButtons.at(press.name); }

  // The first stop pressed after press `index`, which overtook it.
  std::optional<std::size_t> StopAfter(std::size_t index) const {
    for (std::size_t i = index + 1; i < presses_.size(); ++i) {
      if (IsStop(i)) return i;
    }
    return std::nullopt;
  }
  bool OvertakenAt(std::size_t index) const { return StopAfter(index).has_value(); }
  bool IsStop(std::size_t index) const { return presses_[index].name == QStringLiteral("cmdStop"); }
  // A "Communication Failed" box came after press `index`.
  bool LinkFailedAfter(std::size_t index) const { return lastLinkFailure_ > presses_[index].at; }

  // The boxes whose text starts so, answered so when an answer is given.
  qsizetype Boxes(const QString& start, std::optional<int> answer = std::nullopt) const {
    return std::count_if(boxes_.begin(), boxes_.end(), [&](const std::pair<int, QString>& box) {
      return box.second.startsWith(start) && (!answer || box.first == *answer);
    });
  }

  // What may follow a command's first request before the next command's.
  static bool Continues(int first, int code) {
    switch (first) {
      case Cmd::Tare:
      case Cmd::ResetFailure:
        return code == kNoRequest;  // reads of its result
      case Cmd::DeviceType:
        return code == kNoRequest || code == Cmd::ReadParam || code == Cmd::Unlock || code == Cmd::WriteParam;
      case kSpanLoad:
        return code == kNoRequest || code == Cmd::SpanCalibration;  // the low word, then the command
      default:
        return false;
    }
  }

  // The press a command's first request belongs to: the first pending press
  // that asks nothing first and that no stop overtook; else one that a stop
  // overtook on the line; else a press asking first, pressed before. The
  // stops' writes are all alike: one goes to the latest stop pressed before
  // it.
  // Commands asking first resume the other way round: a question asked
  // while another waits for its answer is answered first.
  std::optional<std::size_t> MatchPending(std::vector<std::size_t>& pending, const Received& request) {
    auto fits = [&](std::size_t index) {
      return presses_[index].at < request.at && Kind(presses_[index]).first == request.what.first;
    };
    if (request.what.first == Cmd::TestStop) {
      const auto latest = std::find_if(pending.rbegin(), pending.rend(), fits);
      if (latest == pending.rend()) return std::nullopt;
      const std::size_t index = *latest;
      pending.erase(std::prev(latest.base()));
      return index;
    }
    // Overtaken before the request came: a stop was pressed after it, and before the request.
    auto overtaken = [&](std::size_t index) {
      const auto stop = StopAfter(index);
      return stop && presses_[*stop].at < request.at;
    };
    auto it = std::find_if(pending.begin(), pending.end(),
                           [&](std::size_t i) { return !Kind(presses_[i]).asksFirst && !overtaken(i); });
    if (it == pending.end() || !fits(*it)) {
      // The command on the line at a stop's press sends its request after the press.
      it = std::find_if(pending.begin(), pending.end(),
                        [&](std::size_t i) { return !Kind(presses_[i]).asksFirst && overtaken(i) && fits(i); });
    }
    if (it == pending.end()) {
      const auto latest = std::find_if(pending.rbegin(), pending.rend(),
                                       [&](std::size_t i) { return Kind(presses_[i]).asksFirst && fits(i); });
      it = latest == pending.rend() ? pending.end() : std::prev(latest.base());
    }
    if (it == pending.end()) return std::nullopt;
    const std::size_t index = *it;
    pending.erase(it);
    return index;
  }

  void ExpectStopsPromptAndLast() const {
    for (const auto& [index, startedAt] : started_) {
      const Press& stop = presses_[index];
      if (stop.name != QStringLiteral("cmdStop")) continue;
      // Prompt: at most the request on the line at the press, and a poll
      // that a "Please Wait" window lets out as it opens. A stop held back
      // by a window would let the poll run all the while.
      int starts = 0;
      int others = 0;
      for (const Received& request : requests_) {
        if (request.at > stop.at && request.at < startedAt) ++(request.what.kind == Request::Start ? starts : others);
      }
      EXPECT_LE(starts, 1) << "the stop pressed at " << stop.at << " went out at " << startedAt;
      EXPECT_LE(starts + others, 2) << "the stop pressed at " << stop.at << " went out at " << startedAt;
      // Last: every command that starts after it was pressed after it, but
      // for another stop's write.
      for (const auto& [other, otherStartedAt] : started_) {
        if (otherStartedAt > startedAt && !IsStop(other)) {
          EXPECT_GT(presses_[other].at, stop.at)
              << presses_[other].name.toStdString() << " pressed before the stop went out after it";
        }
      }
    }
  }

  std::vector<Press> presses_;
  std::vector<Received> requests_;
  std::vector<int> plcWords_;
  std::vector<std::pair<int, QString>> boxes_;  // answer, text
  qsizetype lastLinkFailure_ = -1;  // where the last "Communication Failed" box is
  std::map<std::size_t, qsizetype> started_;  // press -> where its first request is
};

// An operator pressing at random: a main-window button when no window is
// open, else a button of the window on top (none while a transfer runs); a
// button that talks to the indicator only while the link lamp shows the
// link up.
class RandomOperator {
 public:
  RandomOperator(test::StationOnALine& line, unsigned seed) : line_(line), random_(seed) {}

  // Makes `count` presses at random moments, then closes every window left
  // open; returns when all presses have returned.
  bool Run(int count) {
    planned_ = count;
    int at = 0;
    for (int i = 0; i < count; ++i) {
      at += std::uniform_int_distribution<int>(0, 400)(random_);
      Schedule(at, random_());
    }
    // Each closing press runs from a timer of its own: a press returns only
    // when the window it opened has closed.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [this] {
      if (made_ < planned_ || closing_ || !OpenWindow()) return;
      closing_ = true;
      Schedule(0, random_());
    });
    closer.start(100);
    // A run that does not end in time fails, its windows closed from
    // underneath so that the presses return.
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer giveUp;
    QObject::connect(&giveUp, &QTimer::timeout, [&] {
      if (elapsed.elapsed() < 180000) return;
      if (state_.isEmpty()) state_ = State();
      if (QDialog* window = OpenWindow()) window->reject();
    });
    giveUp.start(100);
    const bool ended = test::SimulatedStation::WaitFor(
        [&] { return made_ >= count && running_ == 0 && !OpenWindow(); }, 240000);
    return ended && state_.isEmpty();
  }

  // Where the presses stood when the run was given up.
  const QString& GivenUp() const { return state_; }

 private:
  QString State() const {
    QDialog* window = OpenWindow();
    return QStringLiteral("%1 of %2 presses made, %3 still running, window %4, link %5")
        .arg(made_)
        .arg(planned_)
        .arg(running_)
        .arg(window ? window->objectName() : QStringLiteral("none"))
        .arg(line_.comm().LinkOK ? QStringLiteral("good") : QStringLiteral("not good"));
  }

  static QDialog* OpenWindow() {
    auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    return window && window->isVisible() ? window : nullptr;
  }

  void Schedule(int ms, unsigned choice) {
    QTimer::singleShot(ms, &line_.form(), [this, choice] { Act(choice); });
  }

  void Act(unsigned choice) {
    QDialog* window = OpenWindow();
    if (made_ >= planned_) {
      closing_ = false;
      if (!window) return;
    }
    const bool transfer = window && window->objectName().endsWith(QStringLiteral("SetUp"));
    QAbstractButton* button = transfer ? nullptr : window ? WindowButton(*window, choice) : MainButton(choice);
    // A button that talks to the indicator waits for the link lamp.
    const bool sends = button && kButtons.at(test::StationOnALine::PressName(button)).first != kNoRequest;
    if (sends && !line_.comm().LinkOK) button = nullptr;
    if (!button) {
      if (made_ < planned_) Schedule(50, choice + 1);
      return;
    }
    ++made_;
    ++running_;
    line_.Press(button);
    --running_;
  }

  QAbstractButton* MainButton(unsigned choice) {
    std::vector<QAbstractButton*> enabled;
    for (QAbstractButton* button : line_.form().findChildren<QAbstractButton*>()) {
      if (kButtons.count(test::StationOnALine::PressName(button)) && button->isEnabled()) enabled.push_back(button);
    }
    // The stop three times as often as any other button.
    const std::size_t pick = choice % (enabled.size() + 2);
    return pick < enabled.size() ? enabled[pick] : line_.form().testPage->cmdStop;
  }

  // A button of the window on top: a closing one one time in three, and
  // always once the planned presses are made.
  QAbstractButton* WindowButton(QDialog& window, unsigned choice) const {
    if (window.objectName() == QStringLiteral("Password")) {
      window.findChild<QLineEdit*>(QStringLiteral("txtPass"))
          ->setText(choice % 5 == 0 ? QStringLiteral("1234") : QStringLiteral("8061"));
    }
    const bool closing = made_ >= planned_ || choice % 3 == 0;
    std::vector<QAbstractButton*> buttons;
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
      const auto kind = kButtons.find(test::StationOnALine::PressName(button));
      // Only the window's own buttons: one it is about to open is not on show.
      if (kind != kButtons.end() && button->window() == &window && button->isEnabled() &&
          kind->second.closes == closing) {
        buttons.push_back(button);
      }
    }
    return buttons.empty() ? nullptr : buttons[(choice / 3) % buttons.size()];
  }

  test::StationOnALine& line_;
  std::mt19937 random_;
  int planned_ = 0;
  int made_ = 0;
  int running_ = 0;
  bool closing_ = false;  // a closing press is scheduled
  QString state_;         // where the presses stood when the run was given up
};

struct Sequence {
  Line line;
  unsigned seed;
};

void PrintTo(const Sequence& sequence, std::ostream* out) { *out << sequence.line << " seed " << sequence.seed; }

class PressSequences : public ::testing::WithParamInterface<Sequence>, public test::OnASlowLine {
 protected:
  PressSequences() : OnASlowLine(GetParam().line) {}
};

TEST_P(PressSequences, KeepTheStopPromptAndLastAndThePressedOrder) {
  constexpr int kPresses = 40;
  SettingsPage& settings = *line.form().settingsPage;
  // The production panel writes (asking first), as in service mode.
  settings.SetPar[0]->setEnabled(true);
  settings.productionPanel->PDDay->setCurrentIndex(0);
  settings.productionPanel->PDMon->setCurrentIndex(0);
  settings.productionPanel->PDYear->setCurrentIndex(0);
  // Transfers fail at their first address, so that they end soon; awaited
  // commands take a few reads.
  sim::IndicatorModel& indicator = line.station.indicator();
  indicator.FailParameterCommands(1 << 20);
  indicator.SetReadsUntilDone(3);
  // Each box or question gets Yes or No at random, and goes in the log.
  std::mt19937 answers(GetParam().seed);
  ScriptedDialogs& dialogs = line.station.dialogs;
  std::size_t boxesLogged = 0;
  dialogs.whileOpen = [&] {
    if (dialogs.boxes.size() == boxesLogged) return;  // a prompt or a file dialog
    boxesLogged = dialogs.boxes.size();
    const int answer = answers() % 2 ? MsgAnswer::Yes : MsgAnswer::No;
    dialogs.answers = {answer};
    line.Note(QStringLiteral("box %1 %2").arg(answer).arg(dialogs.boxes.back().text));
  };

  RandomOperator randomOperator(line, GetParam().seed);
  ASSERT_TRUE(randomOperator.Run(kPresses)) << randomOperator.GivenUp().toStdString() << "\n"
                                            << line.TimedLog().toStdString();
  ASSERT_TRUE(test::SimulatedStation::WaitFor([&] { return PressLog(line.log).PlcStopsComplete(); }));
  test::SimulatedStation::WaitFor([] { return false; }, 300);  // a last start or prepare on its way

  PressLog log(line.log);
  EXPECT_GE(log.Presses(), kPresses);
  EXPECT_GE(log.StopPresses(), 1);
  if (qEnvironmentVariableIsSet("PRESS_LOG")) std::cerr << line.TimedLog().toStdString();
  log.ExpectPlcWordsInPressOrder();
  log.ExpectOrderAndStops();
}

const Sequence kSequences[] = {
    {{Transport::Ascii, "2400,e,7,1", true}, 1},
    {{Transport::Ascii, "2400,e,7,1", true}, 2},
    {{Transport::Rtu, "1200,e,8,1", true}, 1},
    {{Transport::Rtu, "1200,e,8,1", true}, 2},
};

INSTANTIATE_TEST_SUITE_P(SlowLines, PressSequences, ::testing::ValuesIn(kSequences));

}  // namespace
}  // namespace vt
