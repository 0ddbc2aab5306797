#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "platform/SettingsStore.h"
#include "settings/SerialFile.h"

namespace vt {
namespace {

TEST(RegSetting, StoresTextUnderTheApplicationSectionAndKeyReplacingEarlierValues) {
  QTemporaryDir home;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
  SaveRegSetting(QStringLiteral("Calibration"), QStringLiteral("Span"), QStringLiteral("1200"));
  SaveRegSetting(QStringLiteral("Calibration"), QStringLiteral("Span"), QStringLiteral("1250"));
  SaveRegSetting(QStringLiteral("Other"), QStringLiteral("Span"), QStringLiteral("7"));
  const SettingsStore store(QStringLiteral("VorTensie"));
  EXPECT_EQ(store.Load(QStringLiteral("Calibration"), QStringLiteral("Span")), QStringLiteral("1250"));
  EXPECT_EQ(store.Load(QStringLiteral("Other"), QStringLiteral("Span")), QStringLiteral("7"));
  EXPECT_TRUE(QFile::exists(home.filePath(QStringLiteral("VorTensie/VorTensie.conf"))));
}

}  // namespace
}  // namespace vt
