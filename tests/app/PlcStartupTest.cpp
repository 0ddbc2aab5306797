#include <gtest/gtest.h>


#include "app/MainForm.h"
#include "platform/ScriptedDialogs.h"
#include "support/ProgramFolder.h"
#include "support/PtyPair.h"
#include "platform/WaitFor.h"

namespace vt {
namespace {

TEST(PlcStartup, AConfigurationNamingAPlcPortOpensItAndTheTestButtonsDriveThePlc) {
  test::ProgramFolder folder;
  test::PtyPair plc;
  ASSERT_TRUE(folder.LinkPort(3, plc.SlavePath()));
  QStringList config(36);
  config[2] = QStringLiteral("1");          // station number
  config[30] = QStringLiteral(" 3 ");       // PLC on COM3
  config[31] = QStringLiteral("100");       // PLC speed
  folder.WriteLines(QStringLiteral("kelbrin.cfg"), config);
  ScriptedDialogs dialogs;
  FakeClock clock;
  MainForm form(folder.Path(), dialogs, clock, MainForm::Options{0, false});

  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_TRUE(form.plc->PLCComm.IsOpen());
  EXPECT_EQ(form.settingsPage->machinePanel->SelPLCComPort->currentText(), QStringLiteral("COM3"));
  EXPECT_EQ(form.settingsPage->machinePanel->labPLCComm->text(), QStringLiteral("Haberleşme OK"));
  EXPECT_FALSE(form.testPage->cmdPLCPrepare->isHidden());
  EXPECT_FALSE(form.testPage->txtPLCSpeed->isHidden());
  EXPECT_EQ(form.testPage->txtPLCSpeed->text(), QStringLiteral("100.0"));

  form.testPage->txtDimensionH->setText(QStringLiteral("12.5"));
  // With no indicator on a line, a start moves nothing; the stop goes to
  // the PLC all the same. Each says that the indicator did not answer.
  form.testRun->cmdStart_Click();
  form.testRun->cmdStop_Click();
  EXPECT_EQ(plc.ReadUntil("\r\n"), QByteArray(":0110100000050A04E2000003E800000003FC\r\n"));
  EXPECT_EQ(dialogs.texts(), QStringList({"Communication Failed", "Communication Failed"}));
  dialogs.boxes.clear();

  // The PLC's device goes away and comes back: the watchdog opens its port again.
  form.link->Timer2.start();
  plc.Hangup();
  QLabel& state = *form.settingsPage->machinePanel->labPLCComm;
  EXPECT_TRUE(test::WaitFor([&] { return state.text() == QStringLiteral("Haberleşme Portu Hatalı"); }));
  test::PtyPair back;
  ASSERT_TRUE(folder.LinkPort(3, back.SlavePath()));
  EXPECT_TRUE(test::WaitFor([&] { return state.text() == QStringLiteral("Haberleşme OK"); }));
  form.link->Timer2.stop();

  // Any port shows the PLC controls, COM1 too.
  test::PtyPair com1;
  ASSERT_TRUE(folder.LinkPort(1, com1.SlavePath()));
  form.settingsPage->machinePanel->SelPLCComPort->setCurrentIndex(1);
  form.testRun->SelPLCComPort_Click();
  EXPECT_TRUE(form.plc->PLCComm.IsOpen());
  EXPECT_FALSE(form.testPage->cmdPLCPrepare->isHidden());
  EXPECT_FALSE(form.testPage->txtPLCSpeed->isHidden());
  EXPECT_TRUE(dialogs.boxes.empty());

  // Choosing "PLC KONTROL YOK" closes the port and hides the PLC controls.
  form.settingsPage->machinePanel->SelPLCComPort->setCurrentIndex(0);
  form.testRun->SelPLCComPort_Click();
  EXPECT_FALSE(form.plc->PLCComm.IsOpen());
  EXPECT_TRUE(form.testPage->cmdPLCPrepare->isHidden());
  EXPECT_EQ(form.settingsPage->machinePanel->labPLCComm->text(), QStringLiteral("Haberleşme KAPALI"));
}

}  // namespace
}  // namespace vt
