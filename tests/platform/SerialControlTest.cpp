#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <memory>

#include "support/ChildProcess.h"
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

// The line settings of the device at `path`, as another program sees them.
termios LineOf(const QString& path) {
  termios line{};
  const int fd = open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  tcgetattr(fd, &line);
  close(fd);
  return line;
}

// A UUCP lock file for the device in any of the folders that programs keep
// them in.
bool UucpLockFileFor(const QString& device) {
  const QString name = QStringLiteral("LCK..") + QString(device).remove(QStringLiteral("/dev/")).replace('/', '_');
  for (const char* folder : {"/run/lock", "/var/lock", "/tmp", "/var/tmp"}) {
    if (QFile::exists(QDir(QString::fromLatin1(folder)).filePath(name))) return true;
  }
  return false;
}

// The device is open in exclusive mode, which keeps every other open but
// root's off a terminal.
bool Exclusive(const QString& device) {
  int exclusive = 0;
  const int fd = open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ioctl(fd, TIOCGEXCL, &exclusive);
  close(fd);
  return exclusive != 0;
}

std::shared_ptr<SerialControl> OpenedControl(const QString& programFolder, int portNumber) {
  auto control = std::make_shared<SerialControl>(programFolder);
  control->SetCommPort(portNumber);
  control->Open();
  return control;
}

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
  EXPECT_TRUE(control.LastError().startsWith(folder.NoDevice() + ": ")) << control.LastError().toStdString();
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
  const termios found = LineOf(pty.SlavePath());
  EXPECT_TRUE(control.Open()) << control.LastError().toStdString();
  EXPECT_TRUE(control.IsOpen());

  // Raw, and what the device takes of each setting is in force.
  const termios opened = LineOf(pty.SlavePath());
  EXPECT_FALSE(opened.c_lflag & (ICANON | ECHO | ISIG));
  EXPECT_FALSE(opened.c_iflag & (ICRNL | IXON));
  EXPECT_FALSE(opened.c_oflag & OPOST);
  EXPECT_EQ(opened.c_cflag & (CLOCAL | CREAD), tcflag_t(CLOCAL | CREAD));
  EXPECT_EQ(opened.c_cc[VMIN], 0);
  constexpr speed_t kOtherRate = 0010000;  // BOTHER: the rate is a number of its own
  const struct {
    const char* settings;
    speed_t speed;
    bool twoStopBits;
  } rows[] = {
      {"9600,e,7,1", B9600, false},  // the pseudo-terminal keeps 8 data bits and no parity
      {"1200,n,8,2", B1200, true},
      {"14400,n,8,1.5", kOtherRate, true},
      {"19200,o,8,1", B19200, false},
      {"2400,n,8,1", B2400, false},
      {"4800,n,8,1", B4800, false},
      {"38400,n,8,1", B38400, false},
      {"57600,n,8,1", B57600, false},
      {"115200,n,8,1", B115200, false},
  };
  for (const auto& row : rows) {
    ASSERT_TRUE(control.SetSettings(QString::fromLatin1(row.settings)));
    const termios line = LineOf(pty.SlavePath());
    EXPECT_EQ(cfgetospeed(&line), row.speed) << row.settings;
    EXPECT_EQ((line.c_cflag & CSTOPB) != 0, row.twoStopBits) << row.settings;
    EXPECT_EQ(line.c_cflag & CSIZE, tcflag_t(CS8)) << row.settings;
  }
  EXPECT_TRUE(control.IsOpen());

  // Closed, the device is as it was found.
  control.Close();
  EXPECT_FALSE(control.IsOpen());
  const termios closed = LineOf(pty.SlavePath());
  EXPECT_EQ(cfgetospeed(&closed), cfgetospeed(&found));
  EXPECT_EQ(closed.c_cc[VMIN], found.c_cc[VMIN]);
}

// Another open that holds the device keeps the port from opening, and
// stops doing so as soon as it lets go, however it ends.
TEST(SerialControl, APortHeldElsewhereOpensOnceItsHolderLetsGo) {
  PtyPair pty;
  ProgramFolder folder(false);
  ASSERT_TRUE(folder.LinkPort(1, pty.SlavePath()));
  const QByteArray device = QFile::encodeName(pty.SlavePath());
  using LetGo = std::function<void()>;
  const struct {
    const char* holder;
    std::function<LetGo()> take;
  } rows[] = {
      {"another control of this program",
       [&]() -> LetGo {
         const auto other = OpenedControl(folder.Path(), 1);
         return [other] { other->Close(); };
       }},
      {"another program's flock",
       [&]() -> LetGo {
         const int fd = open(device.constData(), O_RDWR | O_NOCTTY);
         flock(fd, LOCK_EX | LOCK_NB);
         return [fd] { close(fd); };
       }},
      {"a copy killed outright",
       [&]() -> LetGo {
         const pid_t copy = test::StartInChild([&] {
           static SerialControl held(folder.Path());
           held.SetCommPort(1);
           return held.Open();
         });
         return [copy] { test::KillChild(copy); };
       }},
  };
  for (const auto& row : rows) {
    const LetGo letGo = row.take();
    SerialControl control(folder.Path());
    control.SetCommPort(1);
    EXPECT_FALSE(control.Open()) << row.holder;
    EXPECT_TRUE(control.LastError().contains(QStringLiteral("in use by another program")))
        << row.holder << ": " << control.LastError().toStdString();
    letGo();
    EXPECT_TRUE(control.Open()) << row.holder << ": " << control.LastError().toStdString();
  }
}

// A copy killed outright, run by another user with a umask that lets no
// one else read its files, leaves nothing that keeps any user's copy off
// the port: no lock file, no exclusive mode.
TEST(SerialControl, ACopyKilledOutrightLeavesNothingBehind) {
  PtyPair pty;
  ProgramFolder folder(false);
  ASSERT_TRUE(folder.LinkPort(1, pty.SlavePath()));
  // The users' copies may reach the program folder and the device.
  ASSERT_EQ(chmod(QFile::encodeName(folder.Path()).constData(), 0755), 0);
  ASSERT_EQ(chmod(QFile::encodeName(pty.SlavePath()).constData(), 0666), 0);
  const QString device = pty.SlavePath();
  EXPECT_EQ(test::RunInChild([&] {
              umask(077);
              if (!test::DropRootRights(test::kNobody)) return 1;
              SerialControl killed(folder.Path());
              killed.SetCommPort(1);
              if (!killed.Open()) return 2;
              if (UucpLockFileFor(device) || Exclusive(device)) return 3;
              raise(SIGKILL);
              return 0;
            }),
            -1);
  EXPECT_FALSE(UucpLockFileFor(device));
  EXPECT_FALSE(Exclusive(device));
  EXPECT_EQ(test::RunInChild([&] {
              if (!test::DropRootRights(test::kDaemon)) return 1;
              return OpenedControl(folder.Path(), 1)->IsOpen() ? 0 : 2;
            }),
            0);
  EXPECT_TRUE(OpenedControl(folder.Path(), 1)->IsOpen());
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

  // A device that takes no more (its other end reads nothing) takes none
  // of a flush.
  ASSERT_TRUE(control.Output(QByteArray(1 << 20, 'x')));
  EXPECT_TRUE(control.Flush());
  EXPECT_FALSE(control.Flush());
  EXPECT_GT(control.OutBufferCount(), 0);
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
