#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

#include "settings/Global.h"

namespace vt {

// The parameter memory file (".mem"): 256 lines, line k the bare decimal
// value of address k, CR LF after every line, Windows-1254 text.
constexpr int kMemoryFileLines = 256;

// The lines of a memory file as read. A line ends at CR or at CR LF; a line
// feed alone does not end it. Reading stops after the 256th line; `complete`
// is false when the file ended before that, or a line grew beyond any value's
// length, so a huge or binary file is never read far.
struct MemoryFileText {
  QStringList lines;
  bool complete = false;
};

// Nothing when the file cannot be opened or is no regular file (a FIFO, a
// device or a socket, which are never waited on).
std::optional<MemoryFileText> ReadMemoryFile(const QString& path);

// The cell value a line stands for: a whole number from 0 to 255 written
// with "." whatever the user's format, halves rounded to even; nothing for
// any other line.
std::optional<int> MemoryCellValue(const QString& line);

// Writes cells 0 to 255 of the image through a temporary file, so a failed
// write leaves no half file under the name. False on any failure.
bool WriteMemoryFile(const QString& path, const std::array<std::int32_t, kParImageSize>& image);

}  // namespace vt
