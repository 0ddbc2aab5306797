#include "setup/MemoryFile.h"

#include "platform/Cp1254.h"
#include "platform/FileReading.h"
#include "platform/TextFile.h"
#include "settings/NumberText.h"

namespace vt {
namespace {

// Far beyond any value's text; a longer line means the file is no memory file.
constexpr qsizetype kLineLimit = 256;
constexpr qint64 kChunkBytes = 4096;

}  // namespace

std::optional<MemoryFileText> ReadMemoryFile(const QString& path) {
  QFile file;
  if (OpenForReading(file, path) != FileOpening::Opened) return std::nullopt;
  MemoryFileText text;
  QByteArray line;
  bool afterCr = false;  // a LF right after a CR belongs to that line end
  while (text.lines.size() < kMemoryFileLines) {
    const QByteArray chunk = file.read(kChunkBytes);
    if (chunk.isEmpty()) break;
    for (const char byte : chunk) {
      if (text.lines.size() == kMemoryFileLines) break;
      if (afterCr) {
        afterCr = false;
        if (byte == '\n') continue;
      }
      if (byte == '\r') {
        text.lines << FromCp1254(line);
        line.clear();
        afterCr = true;
      } else if (line.size() == kLineLimit) {
        return text;
      } else {
        line.append(byte);
      }
    }
  }
  // The last line may end at the end of the file.
  if (text.lines.size() < kMemoryFileLines && !line.isEmpty()) text.lines << FromCp1254(line);
  text.complete = text.lines.size() == kMemoryFileLines;
  return text;
}

std::optional<int> MemoryCellValue(const QString& line) { return StrictWhole(line, 0, 255, PointFormat()); }

bool WriteMemoryFile(const QString& path, const std::array<std::int32_t, kParImageSize>& image) {
  QStringList lines;
  for (int address = 0; address < kMemoryFileLines; ++address) lines << QString::number(image[address]);
  return WriteTextLines(path, lines);
}

}  // namespace vt
