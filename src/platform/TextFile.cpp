#include "platform/TextFile.h"

#include <QFile>
#include <QSaveFile>

#include "platform/Cp1254.h"

namespace vt {

std::optional<QStringList> ReadTextLines(const QString& path, qint64 maxBytes) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QString text = FromCp1254(maxBytes < 0 ? file.readAll() : file.read(maxBytes));
  QStringList lines;
  QString current;
  bool open = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar ch = text[i];
    if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
      if (ch == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
      lines << current;
      current.clear();
      open = false;
    } else {
      current.append(ch);
      open = true;
    }
  }
  if (open) lines << current;
  return lines;
}

bool WriteTextLines(const QString& path, const QStringList& lines) {
  QSaveFile file(path);
  // A folder that refuses new files (an installed program folder) may still
  // hold a file the operator can change: that file is written in place.
  file.setDirectWriteFallback(true);
  // Unbuffered, so that a write the disk refuses fails here and not in a
  // flush at commit time that the rename would not notice.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
  QByteArray bytes;
  for (const QString& line : lines) {
    bytes += ToCp1254(line);
    bytes += "\r\n";
  }
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace vt
