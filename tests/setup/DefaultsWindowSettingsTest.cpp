#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "platform/SettingsStore.h"
#include "setup/ProductionSetup.h"
#include "support/QStringPrinter.h"

namespace vt {
namespace {

TEST(DefaultsWindowSettings, EveryOptionIsKeptUnderItsOwnKey) {
  QTemporaryDir home;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
  SaveDefaultsWindowSettings({2, 1, 0, 1, 2, 0, 1, 0, 1, 1});
  QStringList stored;
  for (const char* key : {"SerialOp", "OvrProd", "OvrInput", "OvrCalib", "OvrLin", "OvrComp", "OvrDisplay",
                          "OvrOutput", "OvrComm", "HasUserInterface"}) {
    stored << SettingsStore(QStringLiteral("VorTensie")).Load(QStringLiteral("DefaultsWindow"), QLatin1String(key));
  }
  EXPECT_EQ(stored, (QStringList{"2", "1", "0", "1", "2", "0", "1", "0", "1", "1"}));
}

}  // namespace
}  // namespace vt
