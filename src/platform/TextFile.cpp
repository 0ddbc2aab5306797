#include "platform/TextFile.h"


#include "platform/Cp1254.h"
#include "platform/WholeFile.h"

namespace vt {
namespace {

// A text written as one line of a file: each line break in it (CR LF, a lone
// CR or a lone LF, as the reader counts them) becomes a space, so that the
// lines after it keep their positions.
QString OneLine(const QString& text) {
  QString line = text;
  line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
  line.replace(QLatin1Char('\r'), QLatin1Char(' '));
  line.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return line;
}

}  // namespace

bool WriteTextLines(const QString& path, const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) {
    bytes += ToCp1254(OneLine(line));
    bytes += "\r\n";
  }
  // A folder that refuses new files (an installed program folder) may still
  // hold a file the operator can change: that file is written in place.
  return WriteWholeFile(path, bytes, NoTemporaryFile::WriteInPlace);
}

}  // namespace vt
