#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "support/PtyPair.h"
#include "platform/SerialControl.h"
#include "platform/TextFile.h"
#include "platform/WaitFor.h"
#include "support/ProgramFolder.h"

namespace vt {
namespace {

using test::ProgramFolder;
using test::PtyPair;
using test::WaitFor;

TEST(SerialSettings, ParsesTheSettingsText) {
  const auto settings = SerialSettings::Parse("9600,e,7,1");
  ASSERT_TRUE(settings);
  EXPECT_EQ(settings->baudRate, 9600);
  EXPECT_EQ(settings->parity, SerialParity::Even);
  EXPECT_EQ(settings->dataBits, 7);
  EXPECT_EQ(settings->stopBits, SerialStopBits::One);
  const auto other = SerialSettings::Parse("115200,N,8,2");
  ASSERT_TRUE(other);
  EXPECT_EQ(other->parity, SerialParity::None);
  EXPECT_EQ(other->stopBits, SerialStopBits::Two);
  EXPECT_EQ(SerialSettings::Parse("1200,o,8,1.5")->stopBits, SerialStopBits::OneAndHalf);
  for (const char* bad : {"", "9600", "9600,x,8,1", "9600,n,9,1", "9600,n,8,3", "fast,n,8,1", "0,n,8,1",
                          "9600,n,8,1,1"}) {
    EXPECT_FALSE(SerialSettings::Parse(QString::fromLatin1(bad))) << bad;
  }
}

TEST(SerialControl, PortNamesFollowTheProgramFolder) {
  QTemporaryDir folder;  // a folder without port names, unlike the tests' program folders
  EXPECT_EQ(SerialDevicePath(folder.path(), 1), "/dev/ttyS0");
  EXPECT_EQ(SerialDevicePath(folder.path(), 4), "/dev/ttyS3");
  EXPECT_FALSE(FolderDevicePath(folder.path(), 1));
  QFile::link("/dev/ttyUSB0", folder.filePath("COM1"));
  EXPECT_EQ(SerialDevicePath(folder.path(), 1), "/dev/ttyUSB0");
  WriteTextLines(folder.filePath("COM2"), {"/dev/ttyACM0"});
  EXPECT_EQ(SerialDevicePath(folder.path(), 2), "/dev/ttyACM0");
}

TEST(SerialControl, FailedOpenGivesFalseAndTheReason) {
  ProgramFolder folder(false);
  folder.LinkPort(2, folder.NoDevice());
  SerialControl control(folder.Path());
  control.SetCommPort(2);
  EXPECT_FALSE(control.Open());
  EXPECT_FALSE(control.IsOpen());
  EXPECT_FALSE(control.LastError().isEmpty());
  EXPECT_FALSE(control.Output(QByteArray("x")));
  EXPECT_FALSE(control.WaitSent());
  EXPECT_EQ(control.InBufferCount(), 0);
  EXPECT_FALSE(control.Input());
}

TEST(SerialControl, SettingsTheDeviceRefusesDoNotFailTheOpen) {
  PtyPair pty;
  ProgramFolder folder(false);
  folder.LinkPort(1, pty.SlavePath());
  SerialControl control(folder.Path());
  EXPECT_TRUE(control.SetSettings("9600,e,7,1"));
  EXPECT_FALSE(control.SetSettings("9600,q,7,1"));
  EXPECT_EQ(control.Settings(), "9600,e,7,1");
  control.SetCommPort(1);
  EXPECT_TRUE(control.Open()) << control.LastError().toStdString();
  EXPECT_TRUE(control.IsOpen());
  control.Close();
  EXPECT_FALSE(control.IsOpen());
}

TEST(SerialControl, OutputInputAndCounts) {
  PtyPair pty;
  ProgramFolder folder(false);
  folder.LinkPort(3, pty.SlavePath());
  SerialControl control(folder.Path());
  control.SetCommPort(3);
  ASSERT_TRUE(control.Open());

  EXPECT_TRUE(control.Output(QStringLiteral(":0103\r\n")));
  EXPECT_TRUE(control.Output(QByteArray("\x01\x00\xFF", 3)));
  EXPECT_EQ(control.OutBufferCount(), 10);
  EXPECT_EQ(control.OutputTimeMs(), 11);  // 10 bits a byte at 9600 bit/s
  ASSERT_TRUE(control.SetSettings("1200,e,8,2"));
  EXPECT_EQ(control.OutputTimeMs(), 100);  // 12 bits a byte at 1200 bit/s
  EXPECT_TRUE(control.WaitSent());
  EXPECT_EQ(control.OutBufferCount(), 0);
  EXPECT_EQ(pty.Read(10), QByteArray(":0103\r\n\x01\x00\xFF", 10));

  EXPECT_TRUE(control.Output(QByteArray("queued")));
  ASSERT_TRUE(WaitFor([&] { return control.OutBufferCount() == 0; }));
  EXPECT_EQ(pty.Read(6), "queued");

  QSignalSpy arrivals(&control, &SerialControl::OnComm);
  pty.Write("abc");
  ASSERT_TRUE(WaitFor([&] { return control.InBufferCount() == 3; }));
  EXPECT_GE(arrivals.count(), 1);
  EXPECT_EQ(control.Input(), QByteArray("abc"));
  EXPECT_EQ(control.InBufferCount(), 0);
  EXPECT_EQ(control.Input(), QByteArray());

  pty.Write("discard me");
  ASSERT_TRUE(WaitFor([&] { return control.InBufferCount() > 0; }));
  control.ClearInput();
  EXPECT_EQ(control.InBufferCount(), 0);
  pty.Write("kept");
  ASSERT_TRUE(WaitFor([&] { return control.InBufferCount() >= 4; }));
  EXPECT_EQ(control.Input(), QByteArray("kept"));
}

// A device that goes away while idle or while a write is under way.
class SerialDeviceGone : public ::testing::TestWithParam<bool> {};

TEST_P(SerialDeviceGone, ThePortIsClosedOnceAndReopenedOnlyUnderItsName) {
  ProgramFolder folder(false);
  PtyPair device;
  ASSERT_TRUE(folder.LinkPort(1, device.SlavePath()));
  SerialControl control(folder.Path());
  control.SetCommPort(1);
  ASSERT_TRUE(control.Open());
  QSignalSpy lost(&control, &SerialControl::PortLost);
  if (GetParam()) {
    ASSERT_TRUE(control.Output(QByteArray(4000, 'x')));
  }

  device.Hangup();
  ASSERT_TRUE(WaitFor([&] { return !control.IsOpen(); }));
  EXPECT_EQ(lost.count(), 1);
  EXPECT_FALSE(control.LastError().isEmpty());
  EXPECT_FALSE(control.Output(QByteArray("poll")));

  // While the name is gone from the folder nothing stands in for it (COM1
  // would be the machine's /dev/ttyS0); back, it opens again.
  ASSERT_TRUE(QFile::remove(folder.File("COM1")));
  EXPECT_FALSE(control.Reopen(1));
  PtyPair back;
  ASSERT_TRUE(folder.LinkPort(1, back.SlavePath()));
  EXPECT_TRUE(control.Reopen(1));
  EXPECT_EQ(lost.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(IdleOrWriting, SerialDeviceGone, ::testing::Bool());

}  // namespace
}  // namespace vt
