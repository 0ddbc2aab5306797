// One running copy per program folder, between processes.
#include "platform/ProgramFolderLock.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QTemporaryDir>
#include <csignal>

#include "platform/ScriptedDialogs.h"
#include "support/ChildProcess.h"

namespace vt {
namespace {

class ProgramFolderLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"A", "B", "run"}) ASSERT_TRUE(QDir(dir.path()).mkdir(name));
  }
  QString Folder(const QString& name) const { return dir.filePath(name); }
  ProgramFolderLock Lock(const QString& name) const { return {Folder(name), Folder("run")}; }

  // A start on the folder in another process: 0 when it may run, with its
  // lock in the folder itself, 1 when it was told, in one box, that a copy
  // runs from that folder.
  int StartElsewhere(const QString& name) const {
    return test::RunInChild([this, &name] {
      ScriptedDialogs seen;
      ProgramFolderLock lock = Lock(name);
      if (lock.Take(seen)) return seen.boxes.empty() && QDir(Folder("run")).isEmpty() ? 0 : 2;
      return seen.boxes.size() == 1 && seen.boxes[0].text.contains(Folder(name)) ? 1 : 2;
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
// runs beside it, also one copied with the running copy's lock in it; a
// link to the folder is the folder.
TEST_F(ProgramFolderLockTest, ASecondStartOnTheFolderIsToldAndChangesNoFile) {
  ProgramFolderLock running = Lock("A");
  ASSERT_TRUE(running.Take(dialogs));
  const QStringList before = Files();
  EXPECT_EQ(StartElsewhere("A"), 1);
  EXPECT_EQ(Files(), before);

  ASSERT_TRUE(QFile::copy(Folder("A/.vortest.lock"), Folder("B/.vortest.lock")));
  ASSERT_TRUE(QFile::link(Folder("A"), Folder("link")));
  EXPECT_EQ(StartElsewhere("B"), 0);
  EXPECT_EQ(StartElsewhere("link"), 1);
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ProgramFolderLockTest, ACopyKilledOutrightStopsNoStart) {
  EXPECT_EQ(test::RunInChild([this] {
              ProgramFolderLock killed = Lock("A");
              if (killed.Take(dialogs)) raise(SIGKILL);
              return 0;
            }),
            -1);
  ASSERT_TRUE(QFile::exists(Folder("A/.vortest.lock")));
  EXPECT_EQ(StartElsewhere("A"), 0);
}

// An installed program folder, where the operator may make no file: the
// lock lives in the runtime folder; without one the program still starts.
TEST_F(ProgramFolderLockTest, AFolderThatAllowsNoNewFileIsGuardedFromTheRuntimeFolder) {
  const auto enter = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                     QFile::ExeOther;
  ASSERT_TRUE(QFile::setPermissions(dir.path(), enter | QFile::WriteOwner));
  ASSERT_TRUE(QFile::setPermissions(Folder("A"), enter));
  ASSERT_TRUE(QFile::setPermissions(Folder("run"), enter | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
  EXPECT_EQ(test::RunInChild([this] {
              if (!test::DropRootRights()) return 9;
              ProgramFolderLock running = Lock("A");
              if (!running.Take(dialogs) || QDir(Folder("run")).isEmpty()) return 1;
              if (Lock("A").Take(dialogs) || dialogs.boxes.size() != 1) return 2;
              ProgramFolderLock unguarded(Folder("A"), QString());
              return unguarded.Take(dialogs) && dialogs.boxes.size() == 1 ? 0 : 3;
            }),
            0);
  EXPECT_TRUE(QDir(Folder("A")).isEmpty());
  QFile::setPermissions(Folder("A"), enter | QFile::WriteOwner);
}

}  // namespace
}  // namespace vt
