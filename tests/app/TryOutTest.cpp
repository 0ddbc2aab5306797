// The try-out that `scripts/run.sh --simulator` runs (scripts/try-out.sh with
// the build's programs), started as a terminal starts it: in a process group
// of its own, which Ctrl+C and a closed terminal signal as a whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <functional>
#include <map>
#include <string>

#include "SimulatedStation.h"
#include "support/ChildProcess.h"

namespace vt {
namespace {

constexpr int kGenerousMs = 30000;

// The processes of a process group and their command names.
using Members = std::map<pid_t, std::string>;
Members GroupMembers(pid_t group) {
  Members members;
  for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
    if (!stat.open(QIODevice::ReadOnly)) continue;
    // "pid (name) state parent group ..."; the name may hold blanks.
    const QByteArray line = stat.readAll();
    const qsizetype nameStart = line.indexOf('(') + 1;
    const qsizetype nameEnd = line.lastIndexOf(')');
    const QList<QByteArray> fields = line.mid(nameEnd + 2).split(' ');
    if (fields.size() > 2 && fields[2].toInt() == group) {
      members[entry.toInt()] = line.mid(nameStart, nameEnd - nameStart).toStdString();
    }
  }
  return members;
}

ino_t Inode(const QString& path) {
  struct stat status {};
  return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

bool HoldsOpen(pid_t pid, const QString& device) {
  const QDir descriptors(QStringLiteral("/proc/%1/fd").arg(pid));
  for (const QString& descriptor : descriptors.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
    if (QFile::symLinkTarget(descriptors.filePath(descriptor)) == device) return true;
  }
  return false;
}

// One try-out in `folder`; one still running at the end is ended as Ctrl+C
// would end it.
class TryOut {
 public:
  enum class CtrlC { Caught, IgnoredAtTheStart };

  explicit TryOut(const QString& folder, CtrlC ctrlC = CtrlC::Caught) : com1_(folder + QStringLiteral("/COM1")) {
    script.setChildProcessModifier([ctrlC] {
      ::setsid();
      if (ctrlC == CtrlC::IgnoredAtTheStart) ::signal(SIGINT, SIG_IGN);
    });
    script.start(QStringLiteral("bash"), Arguments(folder));
    if (script.waitForStarted()) group_ = pid_t(script.processId());
  }
  ~TryOut() {
    if (group_ == 0 || script.state() == QProcess::NotRunning) return;
    ::kill(-group_, SIGINT);
    script.waitForFinished(kGenerousMs);
  }

  static QStringList Arguments(const QString& folder) {
    return {QStringLiteral(VORTEST_SCRIPTS_DIR "/try-out.sh"), QStringLiteral(VORTEST_PROGRAM_FOLDER), folder};
  }
  pid_t Group() const { return group_; }
  pid_t Program() const {
    for (const auto& [pid, name] : GroupMembers(group_)) {
      if (name == "vortest") return pid;
    }
    return 0;
  }
  void SignalProgram(int signal) const {
    if (const pid_t program = Program()) ::kill(program, signal);
  }
  // Until VorTEST has opened COM1, which leads to the simulator.
  bool WaitUntilPolling() const {
    return test::SimulatedStation::WaitFor(
        [&] {
          const QString device = QFile::symLinkTarget(com1_);
          return !device.isEmpty() && Program() != 0 && HoldsOpen(Program(), device);
        },
        kGenerousMs);
  }
  bool WaitForEnd() {
    return test::SimulatedStation::WaitFor([&] { return script.state() == QProcess::NotRunning; }, kGenerousMs);
  }

  QProcess script;

 private:
  QString com1_;
  pid_t group_ = 0;
};

struct Ending {
  const char* what;
  bool programCloses;  // VorTEST lives to have its close
  std::function<void(const TryOut&)> end;
};

const Ending kEndings[] = {
    {"Ctrl+C", true, [](const TryOut& run) { ::kill(-run.Group(), SIGINT); }},
    {"a closed terminal's two hang-ups", true,
     [](const TryOut& run) {
       ::kill(-run.Group(), SIGHUP);
       ::usleep(1000);
       ::kill(-run.Group(), SIGHUP);
     }},
    {"a termination request to the run", true, [](const TryOut& run) { ::kill(-run.Group(), SIGTERM); }},
    {"a termination request to the script alone", true,
     [](const TryOut& run) { ::kill(run.Group(), SIGTERM); }},
    {"VorTEST closing by itself", true, [](const TryOut& run) { run.SignalProgram(SIGTERM); }},
    {"VorTEST killed", false, [](const TryOut& run) { run.SignalProgram(SIGKILL); }},
};

// However the try-out ends, no process of it is left and COM1 is gone, so
// the next try-out in the folder starts as the first did. Where the signal
// lets it live, VorTEST closes as at ÇIKIŞ and writes its configuration
// again (a new file renamed into place).
TEST(TryOut, NothingOfItStaysHoweverItEnds) {
  test::ProgramFolder folder(false);
  const QString configuration = folder.File(QStringLiteral("kelbrin.cfg"));
  for (const Ending& ending : kEndings) {
    SCOPED_TRACE(ending.what);
    TryOut run(folder.Path());
    ASSERT_TRUE(run.WaitUntilPolling()) << run.script.readAllStandardError().toStdString();
    ASSERT_TRUE(
        test::SimulatedStation::WaitFor([&] { return test::SignalIn("SigCgt", run.Program(), SIGTERM); }));
    const QStringList lines = folder.ReadLines(QStringLiteral("kelbrin.cfg"));
    const ino_t before = Inode(configuration);
    ending.end(run);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_EQ(Inode(configuration) != before, ending.programCloses);
    EXPECT_EQ(folder.ReadLines(QStringLiteral("kelbrin.cfg")), lines);
    EXPECT_EQ(GroupMembers(run.Group()), Members{});
    EXPECT_FALSE(QFileInfo(folder.File(QStringLiteral("COM1"))).isSymLink());
  }
}

// A second try-out on the folder says that VorTEST runs there and leaves
// the first one's programs and COM1 link as they were.
TEST(TryOut, ASecondOneLeavesTheRunningOneAlone) {
  test::ProgramFolder folder(false);
  const QString com1 = folder.File(QStringLiteral("COM1"));
  TryOut first(folder.Path());
  ASSERT_TRUE(first.WaitUntilPolling());
  const Members members = GroupMembers(first.Group());
  const QString device = QFile::symLinkTarget(com1);

  QProcess second;
  second.start(QStringLiteral("bash"), TryOut::Arguments(folder.Path()));
  ASSERT_TRUE(second.waitForFinished(kGenerousMs));
  EXPECT_EQ(second.exitCode(), 1);
  EXPECT_EQ(QString::fromLocal8Bit(second.readAllStandardError()),
            QStringLiteral("VorTEST is already running from %1\n").arg(folder.Path()));
  EXPECT_EQ(GroupMembers(first.Group()), members);
  EXPECT_EQ(QFile::symLinkTarget(com1), device);
  EXPECT_TRUE(HoldsOpen(first.Program(), device));
}

// Started with Ctrl+C ignored (in the background of a script), no part of
// the try-out is ended by it.
TEST(TryOut, StartedWithCtrlCIgnoredNoPartOfItTakesIt) {
  test::ProgramFolder folder(false);
  TryOut run(folder.Path(), TryOut::CtrlC::IgnoredAtTheStart);
  ASSERT_TRUE(run.WaitUntilPolling());
  const Members members = GroupMembers(run.Group());
  EXPECT_EQ(members.size(), 3);  // the script, the simulator and VorTEST
  for (const auto& [pid, name] : members) EXPECT_TRUE(test::SignalIn("SigIgn", pid, SIGINT)) << name;
  ::kill(-run.Group(), SIGTERM);
  EXPECT_TRUE(run.WaitForEnd());
}

}  // namespace
}  // namespace vt
