#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTest>
#include <QTimer>
#include <utility>
#include <vector>

#include "SimulatedStation.h"
#include "setup/Calibration.h"
#include "setup/Password.h"
#include "setup/WinSerialNum.h"
#include "support/ModalWindows.h"

namespace vt {
namespace {

using Writes = std::vector<std::pair<int, int>>;  // (register, value) of each function 06 request

const QString kLoadOutOfRange =
    QStringLiteral("Kalibrasyon değeri -2147483648 ile 2147483647 arasında bir tam sayı olmalıdır!");

class CalibrationAgainstIndicator : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(station.WaitForLink());
    station.sim.Server().SetTrace([this](const QString& line) {
      if (!line.startsWith(QStringLiteral("<- 06 "))) return;
      const QByteArray pdu = QByteArray::fromHex(line.mid(3).toLatin1());
      writes.emplace_back(quint8(pdu[1]) << 8 | quint8(pdu[2]), quint8(pdu[3]) << 8 | quint8(pdu[4]));
    });
  }
  MainForm& form() { return *station.form; }

  test::SimulatedStation station;
  Writes writes;
};

TEST_F(CalibrationAgainstIndicator, SpanSendsTheLoadHighWordFirstThenLowWordThenTheCommand) {
  Calibration window(station.program(), *form().commands);
  EXPECT_EQ(window.txtCalVal->text(), QStringLiteral("10000"));
  const struct {
    QString load;
    int high;
    int low;
  } rows[] = {{"10000", 0, 10000},
              {"70000", 1, 4464},
              {"-1", 0xFFFF, 0xFFFF},
              {"100.5", 0, 100},
              {"101.5", 0, 102},
              {"1,5", 0, 1},
              {"", 0, 0},
              {" 2147483647", 0x7FFF, 0xFFFF},
              {"-2147483648", 0x8000, 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.load.toStdString());
    writes.clear();
    window.txtCalVal->setText(row.load);
    window.cmdCalibrate->click();
    EXPECT_EQ(writes, (Writes{{2, row.high}, {1, row.low}, {0, 108}}));
    ASSERT_FALSE(station.indicator().Commands().empty());
    EXPECT_EQ(station.indicator().Commands().back().arg1, row.low);
    EXPECT_EQ(station.indicator().Commands().back().arg2, row.high);
  }
  EXPECT_TRUE(station.dialogs.boxes.empty());
  EXPECT_TRUE(station.program().comm.PollEnabled);
}

TEST_F(CalibrationAgainstIndicator, LoadsBeyondThirtyTwoBitsAreRefusedAndNothingIsSent) {
  Calibration window(station.program(), *form().commands);
  for (const QString load : {"2147483648", "-2147483649", "2147483647.5", "1e12"}) {
    SCOPED_TRACE(load.toStdString());
    station.dialogs.boxes.clear();
    window.txtCalVal->setText(load);
    window.cmdCalibrate_Click();
    ASSERT_EQ(station.dialogs.boxes.size(), 1u);
    EXPECT_EQ(station.dialogs.boxes[0].text, kLoadOutOfRange);
    EXPECT_EQ(station.dialogs.boxes[0].title, QStringLiteral("Error in entry"));
  }
  EXPECT_TRUE(writes.empty());
}

TEST_F(CalibrationAgainstIndicator, SetZeroWritesOnlyTheZeroCommand) {
  Calibration window(station.program(), *form().commands);
  window.txtCalVal->setText(QStringLiteral("70000"));
  window.cmdSetZero->click();
  EXPECT_EQ(writes, (Writes{{0, 122}}));
}

// A wrong, empty or padded password, or "ÇIKIŞ", closes the password window
// without a message and without the calibration window; Enter and Esc do
// nothing there.
TEST_F(CalibrationAgainstIndicator, OnlyTheExactPasswordOpensTheCalibrationWindow) {
  const struct {
    QString typed;
    bool okButton;
  } rows[] = {{"8062", true}, {"", true}, {" 8061", true}, {"8061 ", true}, {"8061", false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed.toStdString());
    bool calibrationShown = false;
    bool stayedOpenOnKeys = false;
    test::WhenShown(QStringLiteral("Password"), [&](QDialog& dialog) {
      auto& password = static_cast<Password&>(dialog);
      // Closes a calibration window that should not have come.
      QTimer::singleShot(0, &dialog, [&] {
        QWidget* top = QApplication::activeModalWidget();
        if (top && top->objectName() == QStringLiteral("Calibration")) {
          calibrationShown = true;
          top->close();
        }
      });
      password.txtPass->setText(QStringLiteral("8061"));
      QTest::keyClick(password.txtPass, Qt::Key_Return);
      QTest::keyClick(password.txtPass, Qt::Key_Escape);
      stayedOpenOnKeys = password.isVisible();
      password.txtPass->setText(row.typed);
      (row.okButton ? password.cmdExit : password.Command2)->click();
    });
    form().settingsPage->machinePanel->Command1->click();
    EXPECT_TRUE(stayedOpenOnKeys);
    EXPECT_FALSE(calibrationShown);
  }
  EXPECT_TRUE(station.dialogs.boxes.empty());
  EXPECT_TRUE(writes.empty());
}

TEST_F(CalibrationAgainstIndicator, OperatorCalibratesBehindThePasswordAndBothWindowsCloseCalibrationFirst) {
  QStringList closed;
  test::WhenShown(QStringLiteral("Password"), [&](QDialog& dialog) {
    auto& password = static_cast<Password&>(dialog);
    QObject::connect(&password, &QDialog::finished, [&] { closed << QStringLiteral("Password"); });
    password.txtPass->setText(QStringLiteral("8061"));
    password.cmdExit->click();
  });
  QString shownLoad;
  test::WhenShown(QStringLiteral("Calibration"), [&](QDialog& dialog) {
    auto& calibration = static_cast<Calibration&>(dialog);
    QObject::connect(&calibration, &QDialog::finished, [&] { closed << QStringLiteral("Calibration"); });
    shownLoad = calibration.txtCalVal->text();
    calibration.txtCalVal->setText(QStringLiteral("70000"));
    calibration.cmdCalibrate->click();
    calibration.cmdExit->click();
  });
  form().settingsPage->machinePanel->Command1->click();

  EXPECT_EQ(shownLoad, QStringLiteral("10000"));
  EXPECT_EQ(writes, (Writes{{2, 1}, {1, 4464}, {0, 108}}));
  EXPECT_EQ(closed, (QStringList{"Calibration", "Password"}));
  EXPECT_TRUE(station.dialogs.boxes.empty());
}

TEST_F(CalibrationAgainstIndicator, SerializationStoresTheNumberInItsFileAndSendsNothing) {
  QLocale::setDefault(QLocale::c());
  test::WhenShown(QStringLiteral("WinSerialNum"), [&](QDialog& dialog) {
    auto& window = static_cast<WinSerialNum&>(dialog);
    window.SerialNum->setText(QStringLiteral("2.75"));
    window.cmdOK->click();
  });
  form().settingsPage->Serialization->click();
  QLocale::setDefault(QLocale::system());

  QFile file(station.folder.File(QStringLiteral("serial.cfg")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray(" 2.75 \r\n"));
  EXPECT_TRUE(writes.empty());
  EXPECT_TRUE(station.indicator().Commands().empty());
  EXPECT_TRUE(station.dialogs.boxes.empty());
}

}  // namespace
}  // namespace vt
