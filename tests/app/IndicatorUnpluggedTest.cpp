// The indicator on a serial line goes away and comes back under the same
// port name, with the program's timers running as in the real program.
#include <gtest/gtest.h>

#include <QTimer>

#include "SimulatedStation.h"

namespace vt {
namespace {

using test::SerialLine;
using test::SimulatedStation;

class IndicatorUnplugged : public ::testing::TestWithParam<sim::Transport> {};

TEST_P(IndicatorUnplugged, NothingIsWrittenWhileItIsAwayAndPollingResumesWhenItIsBack) {
  SimulatedStation station(SerialLine{GetParam(), QStringLiteral("9600,e,7,1")});
  ASSERT_TRUE(station.WaitForLink());
  IndicatorLink& link = *station.form->link;

  station.sim.CloseSerial();
  ASSERT_TRUE(station.WaitFor([&] { return !link.Comm.IsOpen(); }));
  EXPECT_FALSE(station.program().comm.LinkOK);

  // Forty poll ticks and two reopening attempts later, not one request
  // more has gone out, and no message has shown.
  const quint64 sent = link.RequestsSent();
  int ticks = 0;
  QObject::connect(&station.form->Timer1, &QTimer::timeout, &link, [&] { ++ticks; });
  ASSERT_TRUE(station.WaitFor([&] { return ticks >= 40; }, 30000));
  EXPECT_EQ(link.RequestsSent(), sent);
  EXPECT_FALSE(link.Comm.IsOpen());
  EXPECT_TRUE(station.form->leds.IsOff(station.form->settingsPage->linkPanel->IndComTx));
  EXPECT_TRUE(station.dialogs.boxes.empty());

  const int served = station.sim.Server().Requests();
  ASSERT_TRUE(station.sim.OpenSerial(GetParam()));
  ASSERT_TRUE(station.sim.LinkSerial(station.folder.File(QStringLiteral("COM1"))));
  EXPECT_TRUE(station.WaitForLink(10000));
  EXPECT_GT(station.sim.Server().Requests(), served);
  EXPECT_TRUE(station.dialogs.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(RtuAndAscii, IndicatorUnplugged, ::testing::Values(sim::Transport::Rtu, sim::Transport::Ascii));

}  // namespace
}  // namespace vt
