// The try-out that `scripts/run.sh --simulator` runs (scripts/try-out.sh with
// the build's programs), and the built VorTEST asked to end in its start-up.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <functional>
#include <vector>

#include "SimulatedStation.h"
#include "support/ChildProcess.h"

namespace vt {
namespace {

constexpr int kGenerousMs = 30000;

bool WaitFor(const std::function<bool()>& condition) { return test::SimulatedStation::WaitFor(condition, kGenerousMs); }

// The process named `name` in the process group `group`, 0 when none is.
pid_t Member(pid_t group, const QByteArray& name) {
  for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    // "pid (name) state parent group ...", the names here without blanks.
    const QList<QByteArray> fields = stat.open(QIODevice::ReadOnly) ? stat.readAll().split(' ') : QList<QByteArray>();
    if (fields.value(1) == "(" + name + ")" && fields.value(4).toInt() == group) return pid.toInt();
  }
  return 0;
}

// A try-out in `folder`, in a process group of its own as a terminal starts
// it; one still running when the test stops is ended as Ctrl+C ends it.
struct TryOut : QProcess {
  explicit TryOut(const QString& folder) {
    setChildProcessModifier([] { ::setsid(); });
    start(QStringLiteral("bash"),
          {QStringLiteral(VORTEST_SCRIPTS_DIR "/try-out.sh"), QStringLiteral(VORTEST_PROGRAM_FOLDER), folder});
  }
  ~TryOut() override {
    if (state() == NotRunning) return;
    ::kill(-pid_t(processId()), SIGINT);
    waitForFinished(kGenerousMs);
  }
};

// Signals sent to the try-out's process group, to its script or to VorTEST.
struct Ending {
  const char* what;
  enum { Group, Script, Program } to;
  std::vector<int> sent;
  bool programCloses;  // VorTEST lives to have its close
};

const Ending kEndings[] = {
    {"Ctrl+C", Ending::Group, {SIGINT}, true},
    {"a closed terminal's two hang-ups", Ending::Group, {SIGHUP, SIGHUP}, true},
    {"a termination request to the run", Ending::Group, {SIGTERM}, true},
    {"a termination request to the script alone", Ending::Script, {SIGTERM}, true},
    {"VorTEST closing by itself", Ending::Program, {SIGTERM}, true},
    {"VorTEST killed", Ending::Program, {SIGKILL}, false},
};

// Ctrl+C and hang-ups reach VorTEST and the simulator only through the
// script; a second try-out on the folder is refused. However the try-out
// ends, no process of it is left and COM1 is gone, so the next one starts
// as the first did; where the signal lets it live, VorTEST closes as at
// ÇIKIŞ, writing its configuration as it read it.
TEST(TryOut, NothingOfItStaysHoweverItEnds) {
  test::ProgramFolder folder(false);
  const QString com1 = folder.File(QStringLiteral("COM1"));
  for (const Ending& ending : kEndings) {
    SCOPED_TRACE(ending.what);
    TryOut run(folder.Path());
    ASSERT_TRUE(run.waitForStarted());
    const pid_t group = pid_t(run.processId());
    pid_t program = 0;  // once it has read its configuration and opened COM1
    ASSERT_TRUE(WaitFor([&] {
      program = Member(group, "vortest");
      const QDir descriptors(QStringLiteral("/proc/%1/fd").arg(program));
      return std::ranges::any_of(descriptors.entryInfoList(QDir::System), [&](const QFileInfo& descriptor) {
        return descriptor.symLinkTarget() == QFile::symLinkTarget(com1);
      });
    })) << run.readAllStandardError().toStdString();
    for (const pid_t member : {program, Member(group, "indicator-sim")}) {
      EXPECT_TRUE(test::SignalIn("SigIgn", member, SIGINT) && test::SignalIn("SigIgn", member, SIGHUP));
    }
    const QString device = QFile::symLinkTarget(com1);
    TryOut second(folder.Path());
    ASSERT_TRUE(second.waitForFinished(kGenerousMs));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_EQ(QString::fromLocal8Bit(second.readAllStandardError()),
              QStringLiteral("VorTEST is already running from %1\n").arg(folder.Path()));
    EXPECT_EQ(QFile::symLinkTarget(com1), device);

    const QStringList read = folder.ReadLines(QStringLiteral("kelbrin.cfg"));
    const QStringList changed = read + QStringList(QStringLiteral("changed meanwhile"));
    folder.WriteLines(QStringLiteral("kelbrin.cfg"), changed);
    for (const int signal : ending.sent) {
      ::kill(ending.to == Ending::Group ? -group : ending.to == Ending::Script ? group : program, signal);
      ::usleep(1000);
    }
    ASSERT_TRUE(WaitFor([&] { return run.state() == QProcess::NotRunning; }));
    EXPECT_EQ(folder.ReadLines(QStringLiteral("kelbrin.cfg")), ending.programCloses ? read : changed);
    EXPECT_EQ(::kill(-group, 0), -1) << "a process of the try-out is left";
    EXPECT_FALSE(QFileInfo(com1).isSymLink());
  }
}

// A termination request that comes while the start-up box asks for the
// options (no configuration file) closes the box, and VorTEST ends before
// its window shows, writing a whole configuration.
TEST(TryOut, VorTestAskedToEndInItsStartUpBoxWritesItsConfiguration) {
  test::ProgramFolder folder(false);
  const QString vortest = folder.File(QStringLiteral("vortest"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(VORTEST_PROGRAM_FOLDER "/vortest"), vortest));
  QProcess program;
  program.start(vortest, {});
  ASSERT_TRUE(program.waitForStarted());
  const pid_t pid = pid_t(program.processId());
  ASSERT_TRUE(WaitFor([&] { return test::SignalIn("SigCgt", pid, SIGTERM); }));
  ::kill(pid, SIGTERM);
  ASSERT_TRUE(program.waitForFinished(kGenerousMs));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
  EXPECT_EQ(folder.ReadLines(QStringLiteral("kelbrin.cfg")).size(), 36);
}

}  // namespace
}  // namespace vt
