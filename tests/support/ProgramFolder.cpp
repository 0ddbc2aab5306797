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
  for (int port = 1; port <= kPortNames; ++port) LinkPort(port, NoDevice());
}

bool ProgramFolder::LinkPort(int portNumber, const QString& device) const {
  const QString name = File(QStringLiteral("COM%1").arg(portNumber));
  QFile::remove(name);
  return QFile::link(device, name);
}

void ProgramFolder::WriteLines(const QString& name, const QStringList& lines) const {
  WriteTextLines(File(name), lines);
}

QStringList ProgramFolder::ReadLines(const QString& name) const {
  return ReadTextLines(File(name)).value_or(QStringList());
}

}  // namespace vt::test
