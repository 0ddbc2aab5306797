#include "platform/FileReading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QPixmap>

namespace vt {

FileOpening OpenForReading(QFile& file, const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  // A device is not even opened: opening a serial device may switch its
  // lines, and a socket cannot be opened at all.
  struct stat status {};
  if (stat(name.constData(), &status) == 0 && !S_ISREG(status.st_mode)) return FileOpening::NoRegularFile;
  // By now the name may stand for another file (a FIFO put in its place):
  // O_NONBLOCK opens a FIFO with no writer at once, and the look at the
  // opened file refuses it. A regular file reads as ever with it.
  const int fd = open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return FileOpening::CannotOpen;
  FileOpening opening = FileOpening::Opened;
  if (fstat(fd, &status) != 0) opening = FileOpening::CannotOpen;
  else if (!S_ISREG(status.st_mode)) opening = FileOpening::NoRegularFile;
  else if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) opening = FileOpening::CannotOpen;
  if (opening != FileOpening::Opened) close(fd);
  return opening;
}

std::optional<QByteArray> ReadWholeFile(const QString& path) {
  QFile file;
  if (OpenForReading(file, path) != FileOpening::Opened) return std::nullopt;
  return file.readAll();
}

bool LoadPicture(QPixmap& picture, const QString& path) {
  const auto bytes = ReadWholeFile(path);
  if (!bytes) return false;
  QPixmap loaded;
  if (!loaded.loadFromData(*bytes)) return false;
  picture = loaded;
  return true;
}

}  // namespace vt
