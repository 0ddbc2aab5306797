// One running copy per program folder: a second start is told and changes
// nothing; a copy killed outright, or one on another folder, stops no start.
#include "platform/ProgramFolderLock.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
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

  // A start of another process on the folder: 0 when it may run, 1 when it
  // was told once that a copy runs from that folder, 2 otherwise.
  int StartElsewhere(const QString& name) const {
    return test::RunInChild([this, &name] {
      ScriptedDialogs seen;
      if (Lock(name).Take(seen)) return seen.boxes.empty() ? 0 : 2;
      return seen.boxes.size() == 1 && seen.boxes[0].text.contains(Folder(name)) ? 1 : 2;
    });
  }

  // Every file below the temporary folder with its size and time.
  QStringList Files() const {
    QStringList files;
    for (QDirIterator it(dir.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
      const QFileInfo file(it.next());
      files << file.filePath() + ' ' + QString::number(file.size()) + ' ' +
                   file.lastModified().toString(Qt::ISODateWithMs);
    }
    files.sort();
    return files;
  }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;
};

TEST_F(ProgramFolderLockTest, ASecondStartOnTheFolderIsToldAndChangesNoFile) {
  ProgramFolderLock running = Lock("A");
  ASSERT_TRUE(running.Take(dialogs));
  const QStringList before = Files();
  EXPECT_EQ(StartElsewhere("A"), 1);
  EXPECT_EQ(Files(), before);
  EXPECT_TRUE(dialogs.boxes.empty());
}

// Another folder runs beside it, also one copied with the running copy's
// lock in it; a link to the folder is the folder.
TEST_F(ProgramFolderLockTest, CopiesOnOtherFoldersRunSideBySide) {
  ProgramFolderLock running = Lock("A");
  ASSERT_TRUE(running.Take(dialogs));
  ASSERT_TRUE(QFile::copy(Folder("A/.vortest.lock"), Folder("B/.vortest.lock")));
  ASSERT_TRUE(QFile::link(Folder("A"), Folder("link")));
  EXPECT_EQ(StartElsewhere("B"), 0);
  EXPECT_EQ(StartElsewhere("link"), 1);
}

TEST_F(ProgramFolderLockTest, ACopyKilledOutrightStopsNoStart) {
  EXPECT_EQ(test::RunInChild([this] {
              ScriptedDialogs seen;
              ProgramFolderLock killed = Lock("A");
              if (killed.Take(seen)) raise(SIGKILL);
              return 0;
            }),
            -1);
  ASSERT_TRUE(QFile::exists(Folder("A/.vortest.lock")));
  ProgramFolderLock next = Lock("A");
  EXPECT_TRUE(next.Take(dialogs));
  EXPECT_TRUE(dialogs.boxes.empty());
}

// An installed program folder, where the operator may make no file: the
// lock lives in the runtime folder; with no runtime folder the program
// still starts.
TEST_F(ProgramFolderLockTest, AFolderThatAllowsNoNewFileIsGuardedFromTheRuntimeFolder) {
  const auto enter = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                     QFile::ExeOther;
  ASSERT_TRUE(QFile::setPermissions(dir.path(), enter | QFile::WriteOwner));
  ASSERT_TRUE(QFile::setPermissions(Folder("A"), enter));
  ASSERT_TRUE(QFile::setPermissions(Folder("run"), enter | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
  EXPECT_EQ(test::RunInChild([this] {
              if (!test::DropRootRights()) return 9;
              ScriptedDialogs seen;
              ProgramFolderLock running = Lock("A");
              if (!running.Take(seen) || QDir(Folder("run")).isEmpty()) return 1;
              if (Lock("A").Take(seen) || seen.boxes.size() != 1) return 2;
              ProgramFolderLock unguarded(Folder("A"), QString());
              return unguarded.Take(seen) && seen.boxes.size() == 1 ? 0 : 3;
            }),
            0);
  EXPECT_TRUE(QDir(Folder("A")).isEmpty());
  QFile::setPermissions(Folder("A"), enter | QFile::WriteOwner);
}

}  // namespace
}  // namespace vt
