#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace vt::test {

// A temporary program folder, optionally with the LED pictures and the logo
// of the real program folder copied in. Every port name the program knows
// (COM1 to COM10) is a link to a device that does not exist, so no test
// opens a serial device of the machine (COMn without a link would be
// /dev/ttyS(n-1)); a test links the ports it uses to pseudo-terminals.
class ProgramFolder {
 public:
  static constexpr int kPortNames = 10;

  explicit ProgramFolder(bool withAssets = true);
  const QString& Path() const { return path_; }
  QString File(const QString& name) const { return path_ + QLatin1Char('/') + name; }

  // Makes COMn a link to the device, in place of what stood there; false
  // when the link cannot be made.
  bool LinkPort(int portNumber, const QString& device) const;
  // A path in the folder where no device is.
  QString NoDevice() const { return File(QStringLiteral("no-device")); }

  // Writes a text file in Windows-1254 with CR LF line ends.
  void WriteLines(const QString& name, const QStringList& lines) const;
  // Reads a text file's lines (CR LF ends), or an empty list.
  QStringList ReadLines(const QString& name) const;

 private:
  QTemporaryDir dir_;
  QString path_;
};

// The folder holding the project's assets.
QString AssetsFolder();

}  // namespace vt::test
