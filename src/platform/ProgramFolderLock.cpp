#include "platform/ProgramFolderLock.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <utility>

#include "platform/Dialogs.h"

namespace vt {
namespace {

// Opens the lock file, or makes it, for every user, when it is missing. -1,
// with errno set, when it can be neither opened nor made.
int OpenOrMake(const QByteArray& path) {
  // A link is not followed: in a folder where every user makes files it is
  // not ours to follow. Not blocking, so that a named pipe there cannot hold
  // the start; the lock itself is taken without waiting anyway.
  constexpr int kHow = O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;
  for (;;) {
    // An existing file is opened without O_CREAT, which the kernel may refuse
    // on another user's file in a sticky folder (fs.protected_regular).
    int file = open(path.constData(), O_RDWR | kHow);
    // Where this user may only read the file, reading is all flock needs.
    if (file < 0 && errno == EACCES) file = open(path.constData(), O_RDONLY | kHow);
    if (file >= 0 || errno != ENOENT) return file;
    file = open(path.constData(), O_RDWR | O_CREAT | O_EXCL | kHow, 0666);
    if (file >= 0) {
      // Whatever this user's umask, every other user may open it too.
      fchmod(file, 0666);
      return file;
    }
    // Another start made it in the meantime: that one is opened.
    if (errno != EEXIST) return -1;
  }
}

QString OwnerName(uid_t owner) {
  const passwd* user = getpwuid(owner);
  return user ? QString::fromLocal8Bit(user->pw_name) : QString::number(owner);
}

// The box of a start that cannot tell whether a copy runs from the folder:
// where the lock file is, whose it is, what stands in the way and what the
// operator may do about it.
void TellItCannotTell(Dialogs& dialogs, const QString& programFolder, const QString& lockFile, int error) {
  QString text =
      QStringLiteral("VorTEST cannot tell whether it is already running from this folder:\n%1\n\n").arg(programFolder);
  struct stat entry {};
  if (lstat(QFile::encodeName(lockFile).constData(), &entry) == 0) {
    const QString trouble = error == ELOOP ? QStringLiteral("it is a symbolic link") : qt_error_string(error);
    text += QStringLiteral(
                "Its lock file\n%1\nowned by %2, cannot be used: %3.\n\n"
                "When no VorTEST runs from that folder, the lock file may be removed.")
                .arg(lockFile, OwnerName(entry.st_uid), trouble);
  } else {
    text += QStringLiteral("Its lock file\n%1\ncannot be made: %2.").arg(lockFile, qt_error_string(error));
  }
  dialogs.MsgBox(text, MsgStyle::Exclamation);
}

}  // namespace

ProgramFolderLock::ProgramFolderLock(QString programFolder, QString lockFolder)
    : programFolder_(std::move(programFolder)), lockFolder_(std::move(lockFolder)) {}

ProgramFolderLock::~ProgramFolderLock() {
  if (lockFile_ >= 0) close(lockFile_);
}

bool ProgramFolderLock::Take(Dialogs& dialogs) {
  struct stat folder {};
  if (stat(QFile::encodeName(programFolder_).constData(), &folder) != 0) {
    dialogs.MsgBox(
        QStringLiteral("VorTEST cannot read its program folder:\n%1\n%2.").arg(programFolder_, qt_error_string(errno)),
        MsgStyle::Exclamation);
    return false;
  }
  const QString lockFile =
      lockFolder_ + QStringLiteral("/vortest-%1-%2.lock").arg(folder.st_dev).arg(folder.st_ino);
  const int file = OpenOrMake(QFile::encodeName(lockFile));
  if (file < 0) {
    TellItCannotTell(dialogs, programFolder_, lockFile, errno);
    return false;
  }
  if (flock(file, LOCK_EX | LOCK_NB) == 0) {
    lockFile_ = file;
    return true;
  }
  const int error = errno;
  close(file);
  if (error == EWOULDBLOCK) {
    dialogs.MsgBox(QStringLiteral("VorTEST is already running from this folder:\n%1").arg(programFolder_),
                   MsgStyle::Exclamation);
  } else {
    TellItCannotTell(dialogs, programFolder_, lockFile, error);
  }
  return false;
}

QString SharedLockFolder(const QString& preferred) {
  constexpr mode_t kEveryoneMakesNoneRemovesAnothers = S_IWOTH | S_IXOTH | S_ISVTX;
  struct stat folder {};
  const bool shared = stat(QFile::encodeName(preferred).constData(), &folder) == 0 && S_ISDIR(folder.st_mode) &&
                      (folder.st_mode & kEveryoneMakesNoneRemovesAnothers) == kEveryoneMakesNoneRemovesAnothers;
  return shared ? preferred : QStringLiteral("/tmp");
}

}  // namespace vt
