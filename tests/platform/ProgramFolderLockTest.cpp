// One running copy per program folder, between processes and users.
#include "platform/ProgramFolderLock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QDirIterator>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <csignal>

#include "platform/ScriptedDialogs.h"
#include "support/ChildProcess.h"

namespace vt {
namespace {

// What a start came to, by its boxes.
enum Outcome { Runs, ToldItRuns, ToldItCannotTell, SomethingElse };

class ProgramFolderLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"A", "B", "locks"}) ASSERT_TRUE(QDir(dir.path()).mkdir(name));
    // Every user reaches the folders; the lock folder is like /run/lock.
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    ASSERT_EQ(chmod(QFile::encodeName(Folder("locks")).constData(), 01777), 0);
  }
  QString Folder(const QString& name) const { return dir.filePath(name); }
  ProgramFolderLock Lock(const QString& name) const { return {Folder(name), Folder("locks")}; }
  // Named after the folder's device and inode.
  QString LockFile(const QString& name) const {
    struct stat folder {};
    stat(QFile::encodeName(Folder(name)).constData(), &folder);
    return Folder("locks") + QStringLiteral("/vortest-%1-%2.lock").arg(folder.st_dev).arg(folder.st_ino);
  }

  // A start on the folder with `lock`, which it keeps while the lock lives.
  // A box that says it cannot tell must name the folder and the lock file,
  // and say every text of `told`.
  Outcome Start(ProgramFolderLock& lock, const QString& name, const QStringList& told = {}) const {
    ScriptedDialogs seen;
    if (lock.Take(seen)) return seen.boxes.empty() ? Runs : SomethingElse;
    if (seen.boxes.size() != 1) return SomethingElse;
    const QString& text = seen.boxes[0].text;
    if (text == QStringLiteral("VorTEST is already running from this folder:\n") + Folder(name)) return ToldItRuns;
    const bool named = text.contains(Folder(name)) && text.contains(LockFile(name));
    return named && std::all_of(told.begin(), told.end(), [&](const QString& t) { return text.contains(t); })
               ? ToldItCannotTell
               : SomethingElse;
  }

  // The same in another process, as `user` where the tests run as root.
  int StartElsewhere(const QString& name, uid_t user = test::kNobody, const QStringList& told = {}) const {
    return test::RunInChild([&] {
      if (!test::DropRootRights(user)) return int(SomethingElse);
      ProgramFolderLock lock = Lock(name);
      return int(Start(lock, name, told));
    });
  }

  // Every entry below the temporary folder, with its size and time.
  QStringList Files() const {
    QStringList files;
    for (QDirIterator it(dir.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
      const QFileInfo file(it.next());
      files << QStringLiteral("%1 %2 %3").arg(file.filePath()).arg(file.size()).arg(
                   file.lastModified().toMSecsSinceEpoch());
    }
    files.sort();
    return files;
  }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;
};

// A second start on the folder is told and changes no file. Another folder
// runs beside it; a link to the folder is the folder. When the running
// copy's lock ends, the folder is free.
TEST_F(ProgramFolderLockTest, ASecondStartOnTheFolderIsToldAndChangesNoFile) {
  {
    ProgramFolderLock running = Lock("A");
    ASSERT_TRUE(running.Take(dialogs));
    const QStringList before = Files();
    EXPECT_EQ(StartElsewhere("A"), ToldItRuns);
    EXPECT_EQ(Files(), before);

    ASSERT_TRUE(QFile::link(Folder("A"), Folder("link")));
    EXPECT_EQ(StartElsewhere("B"), Runs);
    EXPECT_EQ(StartElsewhere("link"), ToldItRuns);
  }
  EXPECT_EQ(StartElsewhere("A"), Runs);
  EXPECT_TRUE(dialogs.boxes.empty());
}

// Six starts at one instant, on a lock file each round makes anew: one runs.
TEST_F(ProgramFolderLockTest, StartsAtOneInstantRunOneCopy) {
  for (int round = 0; round < 20; ++round) {
    QFile::remove(LockFile("A"));
    const std::vector<int> outcomes = test::RunTogether(6, [this] {
      // Each copy makes its own, held until every copy has started.
      static ProgramFolderLock lock = Lock("A");
      return int(Start(lock, "A"));
    });
    EXPECT_EQ(std::count(outcomes.begin(), outcomes.end(), int(Runs)), 1) << "round " << round;
    EXPECT_EQ(std::count(outcomes.begin(), outcomes.end(), int(ToldItRuns)), 5) << "round " << round;
  }
}

// Killed outright, by another user with a umask that lets no one else read
// its files: the copy's lock stays behind and stops no start.
TEST_F(ProgramFolderLockTest, ACopyKilledOutrightStopsNoStart) {
  EXPECT_EQ(test::RunInChild([this] {
              ProgramFolderLock killed = Lock("A");
              umask(077);
              if (test::DropRootRights() && killed.Take(dialogs)) raise(SIGKILL);
              return 0;
            }),
            -1);
  ASSERT_TRUE(QFile::exists(LockFile("A")));
  EXPECT_EQ(StartElsewhere("A", test::kDaemon), Runs);
}

// An installed program folder that no one may write: every user's copy is
// guarded there, and the folder keeps no file of the lock.
TEST_F(ProgramFolderLockTest, AFolderNoOneMayWriteIsGuardedForEveryUser) {
  ASSERT_EQ(chmod(QFile::encodeName(Folder("A")).constData(), 0555), 0);
  EXPECT_EQ(StartElsewhere("A", test::kNobody), Runs);
  ProgramFolderLock running = Lock("A");
  ASSERT_TRUE(running.Take(dialogs));
  EXPECT_EQ(StartElsewhere("A", test::kDaemon), ToldItRuns);
  EXPECT_TRUE(QDir(Folder("A")).isEmpty());
}

// A lock file that another user or another program left behind: where the
// start can open and lock it, it runs; where it cannot tell whether a copy
// runs, it does not run, and its box says what it found and that the file
// may go. The file stays.
TEST_F(ProgramFolderLockTest, ALockFileLeftBehindStopsAStartOnlyWithItsPathAndOwner) {
  const passwd* leaver = getpwuid(geteuid() == 0 ? test::kNobody : geteuid());
  ASSERT_NE(leaver, nullptr);
  const QString ownedBy = QStringLiteral("owned by %1, cannot be used: ").arg(leaver->pw_name);
  const QString mayGo = QStringLiteral("When no VorTEST runs from that folder, the lock file may be removed.");
  const struct {
    const char* what;
    bool byAnotherUser;
    int (*leave)(const char* lockFile);
    Outcome start;
    QString trouble;
  } rows[] = {
      {"a file others may only read", true,
       [](const char* lockFile) { return close(open(lockFile, O_CREAT | O_RDWR, 0644)); }, Runs, {}},
      {"a file only another user may open", true,
       [](const char* lockFile) { return close(open(lockFile, O_CREAT | O_RDWR, 0600)); }, ToldItCannotTell, {}},
      {"a link that leads nowhere", false,
       [](const char* lockFile) { return symlink("/nonexistent/lock", lockFile); }, ToldItCannotTell,
       QStringLiteral("it is a symbolic link.")},
  };
  const QByteArray lockFile = QFile::encodeName(LockFile("A"));
  for (const auto& row : rows) {
    // Without root, no other user can be asked to leave it.
    if (row.byAnotherUser && geteuid() != 0) continue;
    ASSERT_EQ(test::RunInChild([&] { return test::DropRootRights() ? row.leave(lockFile.constData()) : 1; }), 0)
        << row.what;
    EXPECT_EQ(StartElsewhere("A", test::kDaemon, {ownedBy + row.trouble, mayGo}), row.start) << row.what;
    EXPECT_TRUE(QFile::remove(LockFile("A"))) << row.what;
  }
  ASSERT_TRUE(QDir(Folder("locks")).removeRecursively());
  EXPECT_EQ(StartElsewhere("A", test::kDaemon, {QStringLiteral("cannot be made: ")}), ToldItCannotTell);
}

// Where the lock file's file system takes no lock (NFS, on a file open for
// reading only), the start cannot tell either; nor where the program folder
// cannot be found.
TEST_F(ProgramFolderLockTest, AStartThatCannotLockOrFindItsFolderDoesNotRun) {
  EXPECT_EQ(test::RunInChild([this] {
              if (!test::RefuseCall(__NR_flock, ENOLCK)) return int(SomethingElse);
              ProgramFolderLock lock = Lock("A");
              return int(Start(lock, "A", {QStringLiteral("cannot be used: "), QStringLiteral("may be removed")}));
            }),
            ToldItCannotTell);
  EXPECT_FALSE(Lock("gone").Take(dialogs));
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_TRUE(dialogs.boxes[0].text.startsWith("VorTEST cannot read its program folder:\n" + Folder("gone") + '\n'));
}

// The lock folder is one where every user may make files and none may
// remove another's, as /run/lock is; otherwise /tmp.
TEST_F(ProgramFolderLockTest, TheLockFolderIsOpenToEveryUserAndSticky) {
  const struct {
    const char* folder;
    mode_t mode;
    bool chosen;
  } rows[] = {{"locks", 01777, true}, {"B", 0777, false}, {"A", 01755, false}, {"gone", 0, false}};
  for (const auto& row : rows) {
    if (row.mode != 0) {
      ASSERT_EQ(chmod(QFile::encodeName(Folder(row.folder)).constData(), row.mode), 0);
    }
    EXPECT_EQ(SharedLockFolder(Folder(row.folder)), row.chosen ? Folder(row.folder) : "/tmp") << row.folder;
  }
}

}  // namespace
}  // namespace vt
