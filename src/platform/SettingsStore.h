#pragma once

#include <QString>

namespace vt {

// The per-user settings store: application, section, key and a text value.
class SettingsStore {
 public:
  explicit SettingsStore(QString application) : application_(std::move(application)) {}
  void Save(const QString& section, const QString& key, const QString& value);
  QString Load(const QString& section, const QString& key) const;

 private:
  QString application_;
};

}  // namespace vt
