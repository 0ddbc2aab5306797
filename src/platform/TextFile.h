#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace vt {

// The program's text files: one value per line, CR LF after every line,
// Windows-1254 text.

// The lines of the file, or nothing when it cannot be opened or is no
// regular file (a FIFO, a device or a socket, which are never waited on).
// CR LF, a lone CR and a lone LF all end a line. A non-negative `maxBytes`
// reads no more than that many bytes from the start of the file, so a huge
// file cannot exhaust the memory.
std::optional<QStringList> ReadTextLines(const QString& path, qint64 maxBytes = -1);

// A character that no line of a text file holds: a control character other
// than tab (CR and LF end lines). NUL bytes that a power cut left in a file,
// a picture or a device give such characters.
bool IsNoTextCharacter(QChar ch);

// What reading a file that must be text found.
enum class TextFileRead { Read, CannotOpen, NoRegularFile, NotText };
struct TextFileLines {
  TextFileRead result = TextFileRead::CannotOpen;
  QStringList lines;  // when read
};

// The lines of the file as ReadTextLines gives them from its first
// `maxBytes` bytes. A file that is no regular file (a FIFO, a device or a
// socket) is refused before anything waits on it; one whose bytes hold a
// character that no text holds is no text file. Reading stops at the block
// of 64 KiB that holds the first such character, so a large file of NUL
// bytes is refused at once.
TextFileLines ReadTextFile(const QString& path, qint64 maxBytes);

// Writes the lines to a temporary file beside `path` and renames it over the
// old file only when every byte was written, so a failure part-way leaves
// the old file as it was. Where the folder allows no new file but the file
// itself may be written, the file is written in place instead, once the disk
// has room for the new text. A line break inside a line (a text pasted into
// a box) is written as a space, so every line stays at its position. False
// when anything failed.
bool WriteTextLines(const QString& path, const QStringList& lines);

}  // namespace vt
