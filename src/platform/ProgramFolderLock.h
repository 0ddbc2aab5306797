#pragma once

#include <QString>

namespace vt {

class Dialogs;

// Keeps a second copy of the program off a program folder that a running
// copy uses, so that two copies never poll one indicator, drive one machine
// or overwrite each other's configuration. Copies on two program folders run
// side by side.
//
// The lock is a file in `lockFolder`, named after the program folder's
// device and inode: every user of the machine and every path to the folder
// (a link, a bind mount) finds the same file, and the program folder itself
// may be read-only. A running copy holds the file locked (flock) for as long
// as it runs, and the kernel lets go when the copy ends, however it ends, so
// a file that no copy holds stops no start, whoever left it. A copied folder
// is another folder with a lock of its own. The file is never removed:
// a start that opened it a moment before would lock a file that no later
// start finds.
class ProgramFolderLock {
 public:
  ProgramFolderLock(QString programFolder, QString lockFolder);
  ~ProgramFolderLock();
  ProgramFolderLock(const ProgramFolderLock&) = delete;
  ProgramFolderLock& operator=(const ProgramFolderLock&) = delete;

  // Takes the program folder for this copy until the object ends. False,
  // after a box, when a running copy uses the folder, and also when the
  // lock file cannot be made, opened or locked: a copy that cannot tell
  // must not risk driving the machine beside another, so its box names the
  // lock file, its owner and what stands in the way.
  bool Take(Dialogs& dialogs);

 private:
  QString programFolder_;
  QString lockFolder_;
  int lockFile_ = -1;  // open and locked while this copy holds the folder
};

// The folder of the program folder locks: `preferred`, where the serial
// ports' locks go too, when every user may make files there and none may
// remove another's; otherwise (a bare chroot) /tmp. Every user finds the
// same one.
QString SharedLockFolder(const QString& preferred = QStringLiteral("/run/lock"));

}  // namespace vt
