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
  SaveDefaultsWindowSettings({.SerialOp = 2, .OvrProd = 1, .OvrInput = 0, .OvrCalib = 1, .OvrLin = 2, .OvrComp = 0,
                              .OvrDisplay = 1, .OvrOutput = 0, .OvrComm = 1, .HasUserInterface = 1});
  const SettingsStore store(QStringLiteral("VorTensie"));
  QStringList stored;
  for (const char* key : {"SerialOp", "OvrProd", "OvrInput", "OvrCalib", "OvrLin", "OvrComp", "OvrDisplay",
                          "OvrOutput", "OvrComm", "HasUserInterface"}) {
    stored << store.Load(QStringLiteral("DefaultsWindow"), QString::fromLatin1(key));
  }
  EXPECT_EQ(stored, (QStringList{"2", "1", "0", "1", "2", "0", "1", "0", "1", "1"}));
}

}  // namespace
}  // namespace vt
