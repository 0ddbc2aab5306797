#include "settings/SerialFile.h"

#include "platform/SettingsStore.h"
#include "platform/TextFile.h"
#include "settings/NumberText.h"

namespace vt {

QString SerialFilePath(const QString& programFolder) { return programFolder + QStringLiteral("/serial.cfg"); }

void SaveSerial(Dialogs& dialogs, const QString& programFolder, double value) {
  if (!WriteTextLines(SerialFilePath(programFolder), {FreePrint(value)})) {
    dialogs.MsgBox(QStringLiteral("Cannot update serial file"), MsgStyle::OkOnly, QStringLiteral("File System Error"));
  }
}

bool SerialFileHolds(double value) {
  const QString line = FreePrint(value);
  return !line.contains(QLatin1Char('E')) && Val(line) == value;
}

double LoadSerial(Dialogs& dialogs, const QString& programFolder) {
  const auto lines = ReadTextLines(SerialFilePath(programFolder));
  if (!lines) {
    dialogs.MsgBox(
        QStringLiteral("Cannot read serial file, 0 will be assigned as serial, please specify serial number manually"),
        MsgStyle::OkOnly, QStringLiteral("File System Error"));
    return 0;
  }
  return lines->isEmpty() ? 0 : Val(lines->first());
}

void SaveRegSetting(const QString& section, const QString& key, const QString& value) {
  SettingsStore(QStringLiteral("VorTensie")).Save(section, key, value);
}

}  // namespace vt
