#include "platform/SettingsStore.h"

#include <QSettings>

namespace vt {

void SettingsStore::Save(const QString& section, const QString& key, const QString& value) {
  QSettings settings(application_, application_);
  settings.beginGroup(section);
  settings.setValue(key, value);
  settings.endGroup();
  settings.sync();
}

QString SettingsStore::Load(const QString& section, const QString& key) const {
  QSettings settings(application_, application_);
  return settings.value(section + QLatin1Char('/') + key).toString();
}

}  // namespace vt
