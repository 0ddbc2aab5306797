#include "platform/ProgramFolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <utility>

#include "platform/Dialogs.h"

namespace vt {
namespace {

// The lock's name in the runtime folder: the program folder's device and
// inode, the same through every path to the folder (a link, a bind mount).
// Empty when either folder is unknown.
QString RuntimeLockFile(const QString& runtimeFolder, const QString& programFolder) {
  struct stat folder {};
  if (runtimeFolder.isEmpty() || stat(QFile::encodeName(programFolder).constData(), &folder) != 0) return {};
  return runtimeFolder + QStringLiteral("/vortest-%1-%2.lock").arg(folder.st_dev).arg(folder.st_ino);
}

// True when no process holds the lock file locked. A running copy does for
// as long as it runs, so such a file was left behind, or came with a copy of
// its folder while the copy that made it still runs elsewhere.
bool NoOneHolds(const QString& file) {
  const int fd = open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool free = flock(fd, LOCK_EX | LOCK_NB) == 0;
  close(fd);
  return free;
}

}  // namespace

ProgramFolderLock::ProgramFolderLock(QString programFolder, QString runtimeFolder)
    : programFolder_(std::move(programFolder)), runtimeFolder_(std::move(runtimeFolder)) {}

ProgramFolderLock::~ProgramFolderLock() = default;

ProgramFolderLock::Result ProgramFolderLock::TryLock(const QString& file) {
  auto lock = std::make_unique<QLockFile>(file);
  // However long a copy runs, its lock stays its own: only a copy that is
  // gone leaves a stale lock.
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) {
    if (lock->error() != QLockFile::LockFailedError) return Result::CannotBeMade;
    if (!NoOneHolds(file)) return Result::Held;
    // A lock left by another user, which this one may not remove, stands
    // in the way like a folder that allows no new file.
    if (!lock->removeStaleLockFile()) return Result::CannotBeMade;
    if (!lock->tryLock(0)) return Result::Held;
  }
  lock_ = std::move(lock);
  return Result::Taken;
}

bool ProgramFolderLock::Take(Dialogs& dialogs) {
  for (const QString& file :
       {programFolder_ + QStringLiteral("/.vortest.lock"), RuntimeLockFile(runtimeFolder_, programFolder_)}) {
    if (file.isEmpty()) continue;
    switch (TryLock(file)) {
      case Result::Taken:
        return true;
      case Result::Held:
        dialogs.MsgBox(QStringLiteral("VorTEST is already running from this folder:\n%1").arg(programFolder_),
                       MsgStyle::Exclamation);
        return false;
      case Result::CannotBeMade:
        break;
    }
  }
  return true;
}

}  // namespace vt
