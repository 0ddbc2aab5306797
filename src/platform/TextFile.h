#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace vt {

// The program's text files: one value per line, CR LF after every line,
// Windows-1254 text.

// The lines of the file, or nothing when it cannot be opened. CR LF, a lone
// CR and a lone LF all end a line. A non-negative `maxBytes` reads no more
// than that many bytes from the start of the file, so a huge or endless file
// (a device chosen by mistake) cannot exhaust the memory.
std::optional<QStringList> ReadTextLines(const QString& path, qint64 maxBytes = -1);

// Writes the lines to a temporary file beside `path` and renames it over the
// old file only when every byte was written, so a failure part-way leaves
// the old file as it was. Where the folder allows no new file but the file
// itself may be written, the file is written in place instead, once the disk
// has room for the new text. A line break inside a line (a text pasted into
// a box) is written as a space, so every line stays at its position. False
// when anything failed.
bool WriteTextLines(const QString& path, const QStringList& lines);

}  // namespace vt
