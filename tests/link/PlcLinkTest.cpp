#include <gtest/gtest.h>

#include "link/PlcLink.h"
#include "platform/ScriptedDialogs.h"
#include "support/ProgramFolder.h"
#include "support/PtyPair.h"

namespace vt {
namespace {

class PlcLinkOnPty : public ::testing::Test {
 protected:
  PlcLinkOnPty() {
    comm.DevAddress = QStringLiteral("1");
    comm.PLCSettings = kPlcSettings;
    folder.LinkPort(3, pty.SlavePath());
  }
  QByteArray SendAndCapture(const QString& height, const QString& speed, int command) {
    height_.setText(height);
    speed_.setText(speed);
    plc.PLCCommand(command);
    return pty.ReadUntil("\r\n");
  }

  test::ProgramFolder folder{false};
  test::PtyPair pty;
  Communication comm;
  CommandQueue queue;
  ScriptedDialogs dialogs;
  QLineEdit height_, speed_;
  QLabel state_;
  PlcLink plc{comm, queue, dialogs, PlcControls{&height_, &speed_, &state_}, folder.Path()};
};

TEST_F(PlcLinkOnPty, FramesMatchTheDocumentedExamplesByteForByte) {
  plc.OpenPLCPort(3);
  ASSERT_TRUE(plc.PLCComm.IsOpen());
  EXPECT_EQ(state_.text(), QStringLiteral("Haberleşme OK"));
  EXPECT_TRUE(dialogs.boxes.empty());

  // Height 12.5 and speed 100 with the start command.
  EXPECT_EQ(SendAndCapture("12.5", "100", PlcCmd::Start), QByteArray(":0110100000050A04E2000003E800000002FD\r\n"));
  // Speed 100000: ten times that is 1000000, low word 4240h, high word 000Fh.
  EXPECT_EQ(SendAndCapture("", "100000", PlcCmd::Stop), QByteArray(":0110100000050A000000004240000F00033C\r\n"));
  // Speed 6400 and an empty height box.
  EXPECT_EQ(SendAndCapture("", "6400", PlcCmd::Prepare), QByteArray(":0110100000050A00000000FA0000000001D5\r\n"));
}

TEST_F(PlcLinkOnPty, HeightsGoAsHundredthsRoundedToTheNearest) {
  speed_.setText(QStringLiteral("100"));
  // Times 100 these are 229.99999999999997, 114.99999999999999 and 434.99999999999994.
  for (const auto& [height, words] : {std::pair{"2.3", "00E60000"}, {"1.15", "00730000"}, {"4.35", "01B30000"}}) {
    height_.setText(QString::fromLatin1(height));
    EXPECT_EQ(plc.PLCRequestBody(PlcCmd::Start), QStringLiteral("1010000005" "0A") + words + "03E80000" "0002") << height;
  }
}

TEST_F(PlcLinkOnPty, BodiesFollowTheBoxesAndTheStationNumber) {
  height_.setText(QStringLiteral("abc"));
  speed_.setText(QStringLiteral("-1"));
  // Text that is no number counts 0; a negative value travels as its two's complement.
  EXPECT_EQ(plc.PLCRequestBody(PlcCmd::Stop), QStringLiteral("1010000005" "0A" "00000000" "FFF6FFFF" "0003"));
  // Beyond a double's range: the nearer end of 32 bits, never 0.
  height_.setText(QStringLiteral("1e400"));
  speed_.setText(QStringLiteral("-1e400"));
  EXPECT_EQ(plc.PLCRequestBody(PlcCmd::Stop), QStringLiteral("1010000005" "0A" "FFFF7FFF" "00008000" "0003"));
  plc.OpenPLCPort(3);
  // A text that names no station goes as station 1, never as the broadcast
  // address 0 nor as more than one byte.
  for (const auto& [address, frame] : {std::pair{"17", ":1110"}, std::pair{"255", ":FF10"}, std::pair{" 7 ", ":0710"},
                                       std::pair{"0", ":0110"}, std::pair{"256", ":0110"}, std::pair{"1e400", ":0110"},
                                       std::pair{"", ":0110"}}) {
    comm.DevAddress = QString::fromLatin1(address);
    plc.PLCCommand(PlcCmd::Stop);
    EXPECT_TRUE(pty.ReadUntil("\r\n").startsWith(frame)) << address;
  }
}

// A command that a stop overtook in its wait sends the PLC nothing more; the
// stop itself, at its press, and later presses do.
TEST_F(PlcLinkOnPty, ACommandOvertakenByAStopSendsNothing) {
  plc.OpenPLCPort(3);
  QByteArray sent;
  queue.Run([&] {
    queue.RunStop([&] { plc.PLCCommand(PlcCmd::Stop); }, [] {});
    sent += pty.ReadUntil("\r\n");
    plc.PLCCommand(PlcCmd::Start);
    sent += pty.ReadUntil("\r\n", 300);
  });
  queue.Run([&] { plc.PLCCommand(PlcCmd::Prepare); });
  sent += pty.ReadUntil("\r\n");
  QList<QByteArray> words;
  for (const QByteArray& frame : sent.split('\n')) {
    if (frame.size() > 7) words << frame.mid(frame.size() - 7, 4);  // before the LRC and CR
  }
  EXPECT_EQ(words, QList<QByteArray>({"0003", "0001"}));
}

TEST_F(PlcLinkOnPty, PortChoicesAndAFailedOpening) {
  plc.OpenPLCPort(3);
  EXPECT_FALSE(plc.PortLost());
  plc.OpenPLCPort(0);
  EXPECT_FALSE(plc.PLCComm.IsOpen());
  EXPECT_FALSE(plc.PortLost());  // none chosen: nothing to lose
  EXPECT_EQ(state_.text(), QStringLiteral("Haberleşme KAPALI"));
  plc.PLCCommand(PlcCmd::Start);  // lost without a message
  EXPECT_TRUE(dialogs.boxes.empty());

  // The port is tried once more after the message: here it has come back.
  folder.LinkPort(7, QStringLiteral("/dev/no-such-plc"));
  dialogs.whileOpen = [&] { folder.LinkPort(7, pty.SlavePath()); };
  plc.OpenPLCPort(7);
  EXPECT_TRUE(plc.PLCComm.IsOpen());
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, QStringLiteral("COM7 Not Available or specified port is being used by another device"));
  EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("Communication Failure"));
  EXPECT_EQ(state_.text(), QStringLiteral("Haberleşme OK"));  // the label tells what the second try found
  plc.OpenPLCPort(8);
  EXPECT_EQ(state_.text(), QStringLiteral("Haberleşme Portu Hatalı"));
  EXPECT_TRUE(plc.PortLost());
}

// The PLC never answers: at the watchdog's turn its port follows a name that
// has come to stand for another device. A frame handed over just before
// still leaves on the port given up.
TEST_F(PlcLinkOnPty, APortFollowsItsNameToTheDeviceLinkedAnew) {
  plc.OpenPLCPort(3);
  test::PtyPair other;
  folder.LinkPort(3, other.SlavePath());
  EXPECT_TRUE(plc.PLCCommand(PlcCmd::Prepare));
  for (int tick = 0; tick < PortKeeper::kTurnTicks; ++tick) plc.WatchPLCPort();
  EXPECT_TRUE(pty.ReadUntil("\r\n").endsWith("0001CF\r\n"));
  plc.PLCCommand(PlcCmd::Stop);
  EXPECT_TRUE(other.ReadUntil("\r\n").endsWith("0003CD\r\n"));
}

}  // namespace
}  // namespace vt
