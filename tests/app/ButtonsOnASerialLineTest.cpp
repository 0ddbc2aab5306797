// Buttons pressed while the link is busy on a serial line: the main window
// against the simulated indicator on a pseudo-terminal, with the PLC on
// another. Whatever the bit rate, the command reaches the indicator, the
// stop frame reaches the PLC, on an idle line ahead of the indicator's stop,
// and the window never hangs.
#include <gtest/gtest.h>

#include "StationOnALine.h"

namespace vt {
namespace {

namespace Cmd = sim::Cmd;
using sim::Transport;
using test::Line;

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
  ButtonsOnASerialLine() : line(GetParam()) {}
  void SetUp() override { ASSERT_TRUE(line.Ready()); }

  // Clicks the button while the poll timer's request is on the line: on a
  // slow line while it is still going out, on a fast one while its answer
  // is awaited. Returns when the click's handler has returned.
  void PressWhileThePollIsOnTheLine(QAbstractButton* button) {
    const bool whileSending = GetParam().pollDrainsAfterTheTick;
    Communication& comm = line.comm();
    const int before = line.Presses();
    line.PressWhen(button, [&comm, whileSending] {
      return comm.PollEnabled && comm.TxnBusy && (comm.TxActive != 0) == whileSending;
    });
    ASSERT_TRUE(line.WaitForPresses(before + 1));
  }

  test::StationOnALine line;
};

TEST_P(ButtonsOnASerialLine, TareAndStopPressedWhileThePollIsOnTheLineReachTheIndicatorAndThePlc) {
  PressWhileThePollIsOnTheLine(line.form().settingsPage->machinePanel->AppTare[1]);
  EXPECT_EQ(line.CommandCodes(), std::vector<quint16>({Cmd::Tare}));
  EXPECT_TRUE(line.station.dialogs.boxes.empty()) << line.station.dialogs.texts().join(", ").toStdString();

  PressWhileThePollIsOnTheLine(line.form().testPage->cmdStop);
  EXPECT_EQ(line.CommandCodes(), std::vector<quint16>({Cmd::Tare, Cmd::TestStop}));
  EXPECT_EQ(line.PlcCommandWords(1), std::vector<int>({PlcCmd::Stop}));

  // On an idle line the indicator's stop goes out inside the press: the
  // PLC's frame was on its way before it.
  QPushButton* stop = line.form().testPage->cmdStop;
  bool pressed = false;
  std::optional<std::vector<int>> plcWordsAtTheStopsRequest;
  QObject::connect(stop, &QPushButton::pressed, [&] { pressed = true; });
  QObject::connect(&line.form().link->Comm, &SerialControl::Sent, [&] {
    if (!pressed || plcWordsAtTheStopsRequest) return;
    line.plc.TakeArrived();
    plcWordsAtTheStopsRequest = line.PlcCommandWords(1, 0);
  });
  Communication& comm = line.comm();
  line.PressWhen(stop, [&comm] { return comm.PollEnabled && !comm.TxnBusy; });
  ASSERT_TRUE(line.WaitForPresses(3));
  ASSERT_TRUE(test::SimulatedStation::WaitFor([&] { return line.CommandCodes().size() == 3; }));
  EXPECT_EQ(line.CommandCodes().back(), Cmd::TestStop);
  EXPECT_EQ(plcWordsAtTheStopsRequest, std::vector<int>({PlcCmd::Stop}));
}

INSTANTIATE_TEST_SUITE_P(EveryRateAndMode, ButtonsOnASerialLine, ::testing::ValuesIn(kLines));

}  // namespace
}  // namespace vt
