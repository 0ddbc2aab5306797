#include "platform/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <optional>

namespace vt {
namespace {

// The status of the file at `path`; nothing when there is none.
std::optional<struct stat> FileStatus(const QString& path) {
  struct stat status {};
  if (stat(QFile::encodeName(path).constData(), &status) != 0) return std::nullopt;
  return status;
}

// A file whose mode lets no one write it stays as it is, also for root, whom
// the system would let write it.
bool AnyoneMayWrite(const struct stat& status) { return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0; }

// The temporary file takes the owner, the group and the mode of the file it
// replaces, so that a save (by root too) changes nothing about who may use
// the file.
bool TakeOwnerAndMode(const QSaveFile& file, const struct stat& old) {
  return fchown(file.handle(), old.st_uid, old.st_gid) == 0 && fchmod(file.handle(), old.st_mode & 07777) == 0;
}

// Writes through a temporary file beside `path`, renamed over the old file
// only when every byte was written. Nothing when no temporary file can stand
// in for the old file: none can be made beside it, or it cannot take the old
// file's owner.
std::optional<bool> Replace(const QString& path, const QByteArray& bytes, const std::optional<struct stat>& old) {
  QSaveFile file(path);
  // Unbuffered, so that a write the disk refuses fails here and not in a
  // flush at commit time that the rename would not notice.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return std::nullopt;
  if (old && !TakeOwnerAndMode(file, *old)) return std::nullopt;  // the temporary file goes with `file`
  const bool written = file.write(bytes) == bytes.size();
  if (!written) file.cancelWriting();
  // The commit ends a failed write too: it removes the temporary file.
  return file.commit() && written;
}

// Overwrites the file itself. The new length is claimed on the disk before
// the first byte is overwritten, so a disk too full for the new text
// refuses the write and leaves the old text whole. The file is opened for
// reading too: where the file system cannot claim space (ext2, NFSv3, FUSE),
// the C library claims it by reading the old blocks and writing the missing
// ones.
bool WriteInPlace(const QString& path, const QByteArray& bytes) {
  const int fd = open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return false;
  const off_t oldLength = lseek(fd, 0, SEEK_END);
  const bool fits = bytes.isEmpty() || posix_fallocate(fd, 0, bytes.size()) == 0;
  const bool written = fits && pwrite(fd, bytes.constData(), bytes.size(), 0) == bytes.size() && fdatasync(fd) == 0;
  // A claim that failed part-way may have lengthened the file: the old
  // length is put back.
  const bool cut = ftruncate(fd, fits ? bytes.size() : oldLength) == 0;
  return close(fd) == 0 && written && cut;
}

}  // namespace

bool WriteWholeFile(const QString& path, const QByteArray& bytes, NoTemporaryFile noTemporaryFile) {
  const std::optional<struct stat> old = FileStatus(path);
  if (old && !AnyoneMayWrite(*old)) return false;
  if (const std::optional<bool> replaced = Replace(path, bytes, old)) return *replaced;
  return noTemporaryFile == NoTemporaryFile::WriteInPlace && WriteInPlace(path, bytes);
}

}  // namespace vt
