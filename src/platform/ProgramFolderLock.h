#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace vt {

class Dialogs;

// Keeps a second copy of the program off a program folder that a running
// copy uses, so that two copies never poll one indicator, drive one machine
// or overwrite each other's configuration. Copies on two program folders run
// side by side.
//
// The lock is the hidden file ".vortest.lock" in the program folder. Where
// the folder allows no new file (an installed program folder), it is a file
// in `runtimeFolder`, the user's own folder for such files, named after the
// program folder's device and inode. A lock whose copy is gone (killed
// outright, or a power cut before this boot) stops no start, and neither
// does one that came with a copied folder: a running copy holds its lock
// file locked for as long as it runs.
class ProgramFolderLock {
 public:
  ProgramFolderLock(QString programFolder, QString runtimeFolder);
  ~ProgramFolderLock();

  // Takes the program folder for this copy until the object ends. False,
  // after a box that says so, when a running copy uses the folder. Where no
  // lock can be made at all the program still starts: a missing lock tells
  // nothing about another copy.
  bool Take(Dialogs& dialogs);

 private:
  enum class Result { Taken, Held, CannotBeMade };
  Result TryLock(const QString& file);

  QString programFolder_;
  QString runtimeFolder_;
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace vt
