#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace vt::test {

// A temporary program folder, optionally with the LED pictures and the logo
// of the real program folder copied in.
class ProgramFolder {
 public:
  explicit ProgramFolder(bool withAssets = true);
  const QString& Path() const { return path_; }
  QString File(const QString& name) const { return path_ + QLatin1Char('/') + name; }

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
