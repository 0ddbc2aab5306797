#include "platform/WholeFile.h"

#include <QSaveFile>

namespace vt {

bool WriteWholeFile(const QString& path, const QByteArray& bytes, NoTemporaryFile noTemporaryFile) {
  QSaveFile file(path);
  file.setDirectWriteFallback(noTemporaryFile == NoTemporaryFile::WriteInPlace);
  // Unbuffered, so that a write the disk refuses fails here and not in a
  // flush at commit time that the rename would not notice.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
  const bool written = file.write(bytes) == bytes.size();
  if (!written) file.cancelWriting();
  // The commit ends a failed write too: it removes the temporary file, and
  // closes a file written in place without removing it.
  return file.commit() && written;
}

}  // namespace vt
