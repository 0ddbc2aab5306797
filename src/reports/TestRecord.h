#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace vt {

// The fields of a test record file, in the order of its lines: the test
// information, the result read-outs, the settings that shape the curve and
// the samples of the force curve.
struct TestRecord {
  QString humidity;           // line 1
  QString temperature;        // 2
  QString productName;        // 3
  QString customerName;       // 4
  QString location;           // 5
  QString dimensionW;         // 6
  QString dimensionH;         // 7
  QString dimensionL;         // 8
  QString testStart;          // 9
  QString testStop;           // 10
  QString distance;           // 11
  QString displacementSpeed;  // 12
  QString timePassSeconds;    // 13
  QString holdVal;            // 14
  // Selected indexes of the graph unit and machine type lists (lines 15, 16);
  // nothing when a line read back is no 16-bit whole number.
  std::optional<int> graphUnit;
  std::optional<int> machineType;
  QString stepVal;                      // 17
  QString testDistance;                 // 18
  std::array<QString, 5> timeLog;       // 19 to 23
  QString gap;                          // 24
  std::array<QString, 3> reportTensileVals;  // 25 to 27
  std::array<QString, 2> companyHdr;    // 28, 29
  QString plcSettings;                  // 30
  double plcPort = 0;                   // 31
  QString plcSpeed;                     // 32
  // Line 34, M: the index of the newest sample less one.
  double sampleCountLine = 0;
  // Elements 0 to M of the sample buffer, one a line from line 35 (at most
  // the buffer's slots). Reading gives nothing for a line that is no number:
  // that slot keeps what it held.
  std::vector<std::optional<double>> samples;
  // Reading only: the last line read, which the window shows as the live
  // value and the curve update reads back with the lenient parse; a number
  // there carries "." as its decimal sign, whichever sign the file used.
  QString lastLineRead;
};

// The marker line before the count.
inline const QString kRecordMarker = QStringLiteral("The Records");

// Reading a record takes at most this many bytes of the file: far more than
// the longest record, but a bound for a huge file chosen by mistake.
constexpr qint64 kRecordReadLimit = 16 * 1024 * 1024;

// A line read back gives a field no more than the characters a text box
// holds (a line edit's longest text); the rest of the line is dropped, so
// no field, label or box takes a text longer than that.
constexpr qsizetype kRecordTextLimit = 32767;

// The file's base name: the date "yyyymmdd", "_", the time "hhmmss", "_" and
// the product name as typed, except that a path separator or a control
// character, which would put the file elsewhere or give a name the operator
// cannot open, becomes "_".
QString RecordName(const QDateTime& now, const QString& productName);

// How many sample lines follow a count line of M: elements 0 to M, no more
// than the buffer's slots; none for a negative M.
qsizetype SampleLines(double sampleCountLine);

// The lines of the record file. Numbers are in the free print format, with
// "." as the decimal sign whatever the user's number format; samples above
// the buffer's last slot are left out. A character that no text file holds
// (a control character pasted into a box) is written as a space, so that
// the record opens again.
QStringList RecordLines(const TestRecord& record);

// A number line read back: the whole line must be a number, blanks around it
// allowed, with "." or "," as its decimal sign (records written on a machine
// with a decimal comma read back the same); nothing otherwise.
std::optional<double> RecordNumber(const QString& line);

// Reads the lines back by position. A file shorter than a record gives every
// missing line the last line that was there; the count line is read with the
// lenient parse; at most the buffer's slots are read as samples, whatever
// the count line says, and lines after them are never looked at. Each line
// is cut to kRecordTextLimit characters.
TestRecord ParseRecordLines(const QStringList& lines);

// The index of the newest sample that a record read back leaves for the
// curve: M less 1 (M itself when it is 0), kept within 0 to 24999 so that
// the curve update, which stores at the next index, stays in the buffer.
double SampleCountAfterReading(double sampleCountLine);

}  // namespace vt
