#include "support/ProgramFolder.h"

#include <QFile>

#include "platform/TextFile.h"

namespace vt::test {

QString AssetsFolder() { return QStringLiteral(VORTEST_ASSETS_DIR); }

ProgramFolder::ProgramFolder(bool withAssets) : path_(dir_.path()) {
  if (withAssets) {
    for (const char* name : {"rledon.gif", "rledoff.gif", "logo.jpg"}) {
      QFile::copy(AssetsFolder() + QLatin1Char('/') + QLatin1String(name), File(QLatin1String(name)));
    }
  }
}

void ProgramFolder::WriteLines(const QString& name, const QStringList& lines) const {
  WriteTextLines(File(name), lines);
}

QStringList ProgramFolder::ReadLines(const QString& name) const {
  return ReadTextLines(File(name)).value_or(QStringList());
}

}  // namespace vt::test
