// Reading the program's text files (declared in TextFile.h).
#include <algorithm>

#include "platform/Cp1254.h"
#include "platform/FileReading.h"
#include "platform/TextFile.h"

namespace vt {
namespace {

// A file that must be text is read and checked this much at a time.
constexpr qint64 kTextBlockBytes = 64 * 1024;

// The lines of a text: CR LF, a lone CR and a lone LF each end a line; a
// last line without an end is a line too.
QStringList SplitLines(const QString& text) {
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

}  // namespace

std::optional<QStringList> ReadTextLines(const QString& path, qint64 maxBytes) {
  QFile file;
  if (OpenForReading(file, path) != FileOpening::Opened) return std::nullopt;
  return SplitLines(FromCp1254(maxBytes < 0 ? file.readAll() : file.read(maxBytes)));
}

bool IsNoTextCharacter(QChar ch) {
  return ch.category() == QChar::Other_Control && ch != QLatin1Char('\t') && ch != QLatin1Char('\r') &&
         ch != QLatin1Char('\n');
}

TextFileLines ReadTextFile(const QString& path, qint64 maxBytes) {
  QFile file;
  const FileOpening opening = OpenForReading(file, path);
  if (opening == FileOpening::CannotOpen) return {TextFileRead::CannotOpen, {}};
  if (opening == FileOpening::NoRegularFile) return {TextFileRead::NoRegularFile, {}};
  QString text;
  for (qint64 left = maxBytes; left > 0;) {
    const QString block = FromCp1254(file.read(std::min(kTextBlockBytes, left)));
    if (block.isEmpty()) break;
    if (std::any_of(block.begin(), block.end(), IsNoTextCharacter)) return {TextFileRead::NotText, {}};
    text += block;
    left -= block.size();
  }
  return {TextFileRead::Read, SplitLines(text)};
}

}  // namespace vt
