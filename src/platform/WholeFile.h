#pragma once

#include <QByteArray>
#include <QString>

namespace vt {

// What to do when no temporary file can stand in for the old file: the
// folder allows no new file beside `path`, or one made there cannot take the
// old file's owner.
enum class NoTemporaryFile {
  Fail,          // the write fails and the old file stays as it was
  WriteInPlace,  // the old file, where it may be written, is overwritten directly
                 // once the disk has room for the new length (a full disk leaves
                 // it whole); an error while writing then leaves it cut short
};

// Writes `bytes` as the whole new content of `path`: first to a temporary
// file beside it, which takes the old file's owner, group and mode and is
// renamed over the old file only when every byte was written. A failure
// part-way (a full disk) leaves the old file as it was and no temporary file
// behind. A file whose mode lets no one write it is refused, also to root.
// False when anything failed.
bool WriteWholeFile(const QString& path, const QByteArray& bytes,
                    NoTemporaryFile noTemporaryFile = NoTemporaryFile::Fail);

}  // namespace vt
