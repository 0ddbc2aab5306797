#pragma once

#include <QString>

#include "platform/Dialogs.h"

namespace vt {

// The device serial-number file "serial.cfg" in the program folder: one line.
QString SerialFilePath(const QString& programFolder);

// Rewrites the file with the serial number in the free print format; shows
// "Cannot update serial file" when it cannot be written. The old file stays
// whole on any failure.
void SaveSerial(Dialogs& dialogs, const QString& programFolder, double value);

// True when the file's line keeps the value as it is: written out in full,
// without an exponent, and read back as the same number. The free print
// format keeps 15 significant digits.
bool SerialFileHolds(double value);

// The number of the file's first line (0 when it holds none); shows a
// message and gives 0 when the file cannot be read.
double LoadSerial(Dialogs& dialogs, const QString& programFolder);

// Stores a value in the per-user settings store under "VorTensie".
void SaveRegSetting(const QString& section, const QString& key, const QString& value);

}  // namespace vt
