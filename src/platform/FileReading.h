#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <optional>

class QPixmap;

namespace vt {

// Every file the program reads is opened here. Opening a FIFO waits until
// something writes to it, and a device or a socket may never end, so only a
// regular file (links followed) is read: anything else is refused at once,
// before a byte is read and without waiting on it.
enum class FileOpening { Opened, CannotOpen, NoRegularFile };

// Opens the closed `file` for reading the file at `path`.
FileOpening OpenForReading(QFile& file, const QString& path);

// The whole file, or nothing when it cannot be opened or is no regular file.
std::optional<QByteArray> ReadWholeFile(const QString& path);

// Loads the picture file at `path` into `picture`, its format told by its
// content, whatever its name's extension. False, leaving `picture` as it
// was, when the file cannot be read or holds no picture.
bool LoadPicture(QPixmap& picture, const QString& path);

}  // namespace vt
