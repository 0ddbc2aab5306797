// Buttons pressed while the link is busy on a serial line: the main window
// against the simulated indicator on a pseudo-terminal, with the PLC on
// another. Whatever the bit rate, the command reaches the indicator, the
// stop frame reaches the PLC and the window never hangs.
#include <gtest/gtest.h>

#include "SimulatedStation.h"
#include "support/PtyPair.h"

namespace vt {
namespace {

namespace Cmd = sim::Cmd;
using sim::Transport;

struct Line {
  Transport mode;
  const char* settings;
  bool pollDrainsAfterTheTick;  // the poll request takes longer than 20 ms to go out
};

std::ostream& operator<<(std::ostream& out, const Line& line) {
  return out << (line.mode == Transport::Rtu ? "RTU " : "ASCII ") << line.settings;
}

// Every bit rate the options window offers, in both serial modes.
const Line kLines[] = {
    {Transport::Ascii, "1200,e,7,1", true},    {Transport::Ascii, "2400,e,7,1", true},
    {Transport::Ascii, "4800,e,7,1", true},    {Transport::Ascii, "9600,e,7,1", false},
    {Transport::Ascii, "19200,e,7,1", false},  {Transport::Ascii, "38400,e,7,1", false},
    {Transport::Ascii, "57600,e,7,1", false},  {Transport::Ascii, "115200,e,7,1", false},
    {Transport::Rtu, "1200,e,8,1", true},      {Transport::Rtu, "2400,e,8,1", true},
    {Transport::Rtu, "4800,e,8,1", false},     {Transport::Rtu, "9600,e,8,1", false},
    {Transport::Rtu, "19200,e,8,1", false},    {Transport::Rtu, "38400,e,8,1", false},
    {Transport::Rtu, "57600,e,8,1", false},    {Transport::Rtu, "115200,e,8,1", false},
};

class ButtonsOnASerialLine : public ::testing::TestWithParam<Line> {
 protected:
  ButtonsOnASerialLine()
      : station(test::SerialLine{GetParam().mode, QString::fromLatin1(GetParam().settings)}, plc.SlavePath()) {}

  void SetUp() override {
    ASSERT_TRUE(plc.Ok());
    ASSERT_TRUE(station.WaitForLink(10000));
    station.indicator().SetLoad(20.0);
  }

  Communication& comm() { return station.program().comm; }
  MainForm& form() { return *station.form; }
  std::vector<quint16> CommandCodes() {
    std::vector<quint16> codes;
    for (const auto& command : station.indicator().Commands()) codes.push_back(command.code);
    return codes;
  }

  // Clicks the button while the poll timer's request is on the line: on a
  // slow line while it is still going out, on a fast one while its answer
  // is awaited. Returns when the click's handler has returned.
  void PressWhileThePollIsOnTheLine(QAbstractButton* button) {
    const bool whileSending = GetParam().pollDrainsAfterTheTick;
    bool handled = false;
    QTimer press;
    press.setInterval(1);
    QObject::connect(&press, &QTimer::timeout, [&] {
      if (!comm().PollEnabled || !comm().TxnBusy || (comm().TxActive != 0) != whileSending) return;
      press.stop();
      button->click();
      handled = true;
    });
    press.start();
    ASSERT_TRUE(station.WaitFor([&] { return handled; }, 20000));
  }

  void ExpectStopFrameAtThePlc() {
    const QByteArray frame = plc.ReadUntil("\r\n", 10000);
    EXPECT_TRUE(frame.startsWith(":0110100000050A")) << frame.toStdString();
    EXPECT_TRUE(frame.chopped(4).endsWith("0003")) << frame.toStdString();
  }

  test::PtyPair plc;
  test::SimulatedStation station;
};

TEST_P(ButtonsOnASerialLine, TareAndStopPressedWhileThePollIsOnTheLineReachTheIndicatorAndThePlc) {
  PressWhileThePollIsOnTheLine(form().settingsPage->machinePanel->AppTare[1]);
  EXPECT_EQ(CommandCodes(), std::vector<quint16>({Cmd::Tare}));
  EXPECT_TRUE(station.dialogs.boxes.empty()) << station.dialogs.texts().join(", ").toStdString();

  PressWhileThePollIsOnTheLine(form().testPage->cmdStop);
  EXPECT_EQ(CommandCodes(), std::vector<quint16>({Cmd::Tare, Cmd::TestStop}));
  ExpectStopFrameAtThePlc();
}

INSTANTIATE_TEST_SUITE_P(EveryRateAndMode, ButtonsOnASerialLine, ::testing::ValuesIn(kLines));

// The slowest line, with every answer coming late, so that the stop button
// is pressed while the tare's request waits for its answer.
class ButtonsInsideAWait : public ButtonsOnASerialLine {};

TEST_P(ButtonsInsideAWait, StopPressedWhileTheTareWaitsForItsAnswerIsServedAfterIt) {
  station.sim.Faults().lateMs = 100;
  station.sim.Faults().Rates().late = 1.0;
  bool stopped = false;
  QTimer click;
  click.setInterval(1);
  QObject::connect(&click, &QTimer::timeout, [&] {
    // The tare holds the line (the poll is off) and its request has gone out.
    if (comm().PollEnabled || !comm().TxnBusy || comm().TxActive != 0 || stopped) return;
    stopped = true;
    form().testPage->cmdStop->click();
  });
  click.start();
  form().settingsPage->machinePanel->AppTare[1]->click();
  ASSERT_TRUE(stopped);
  EXPECT_EQ(CommandCodes(), std::vector<quint16>({Cmd::Tare, Cmd::TestStop}));
  EXPECT_TRUE(station.dialogs.boxes.empty()) << station.dialogs.texts().join(", ").toStdString();
  ExpectStopFrameAtThePlc();
}

INSTANTIATE_TEST_SUITE_P(Slowest, ButtonsInsideAWait,
                         ::testing::Values(Line{Transport::Ascii, "1200,e,7,1", true}));

}  // namespace
}  // namespace vt
