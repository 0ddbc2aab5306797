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
#include "support/QStringPrinter.h"

namespace vt {
namespace {

using Writes = std::vector<std::pair<int, int>>;  // (register, value) of each function 06 request

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

  test::SimulatedStation station;
  Writes writes;
};

TEST_F(CalibrationAgainstIndicator, SpanSendsHighWordLowWordThenTheCommandAndRefusesLoadsBeyond32Bits) {
  Calibration window(station.program(), *station.form->commands);
  const struct {
    QString load;
    Writes sent;  // none: refused with a message
  } rows[] = {{"10000", {{2, 0}, {1, 10000}, {0, 108}}},   {"70000", {{2, 1}, {1, 4464}, {0, 108}}},
              {"-1", {{2, 0xFFFF}, {1, 0xFFFF}, {0, 108}}}, {"100.5", {{2, 0}, {1, 100}, {0, 108}}},
              {"101.5", {{2, 0}, {1, 102}, {0, 108}}},     {"1,5", {{2, 0}, {1, 1}, {0, 108}}},
              {"", {{2, 0}, {1, 0}, {0, 108}}},            {"-2147483648", {{2, 0x8000}, {1, 0}, {0, 108}}},
              {"2147483648", {}},                          {"-2147483649", {}},
              {"2147483647.5", {}},                        {"1e12", {}},
              {"1e400", {}},                               {"-1e400", {}},
              {"2147483647", {{2, 0x7FFF}, {1, 0xFFFF}, {0, 108}}},
              {"&HFFFFFFFF", {{2, 0xFFFF}, {1, 0xFFFF}, {0, 108}}},  // 32 bits read as -1
              {"&H100000000", {}}};                        // beyond 32 bits: never 0
  EXPECT_EQ(window.txtCalVal->text(), QStringLiteral("10000"));
  for (const auto& row : rows) {
    SCOPED_TRACE(row.load.toStdString());
    writes.clear();
    station.dialogs.boxes.clear();
    window.txtCalVal->setText(row.load);
    window.cmdCalibrate->click();
    EXPECT_EQ(writes, row.sent);
    EXPECT_EQ(station.dialogs.texts(),
              row.sent.empty() ? QStringList{QStringLiteral("Kalibrasyon değeri -2147483648 ile 2147483647 arasında "
                                                            "bir tam sayı olmalıdır!")}
                               : QStringList());
  }
  writes.clear();
  window.cmdSetZero->click();
  EXPECT_EQ(writes, (Writes{{0, 122}}));
  EXPECT_TRUE(station.program().comm.PollEnabled);
}

// Anything but the exact password, or "ÇIKIŞ", closes the password window
// silently; Enter and Esc do nothing there. The calibration window closes
// before the password window that owns it.
TEST_F(CalibrationAgainstIndicator, OperatorCalibratesOnlyBehindTheExactPassword) {
  const std::pair<QString, bool> attempts[] = {
      {"8062", true}, {"", true}, {" 8061", true}, {"8061", false}, {"8061", true}};
  int attempt = 0;
  int calibratedAt = -1;
  QStringList closed;
  auto recordClosing = [&](QDialog& window) {
    QObject::connect(&window, &QDialog::finished, [&closed, &window] { closed << window.objectName(); });
  };
  auto calibrate = [&](QDialog& dialog) {
    recordClosing(dialog);
    auto& calibration = static_cast<Calibration&>(dialog);
    calibratedAt = attempt;
    EXPECT_EQ(calibration.txtCalVal->text(), QStringLiteral("10000"));
    calibration.txtCalVal->setText(QStringLiteral("70000"));
    calibration.cmdCalibrate->click();
    calibration.cmdExit->click();
  };
  for (; attempt < int(std::size(attempts)); ++attempt) {
    const bool last = attempt + 1 == int(std::size(attempts));
    if (last) test::WhenShown(QStringLiteral("Calibration"), calibrate);
    test::WhenShown(QStringLiteral("Password"), [&](QDialog& dialog) {
      recordClosing(dialog);
      if (!last) {  // runs inside a calibration window that should not have come
        QTimer::singleShot(0, &dialog, [&] {
          auto* top = qobject_cast<QDialog*>(QApplication::activeModalWidget());
          if (top && top != &dialog) calibrate(*top);
        });
      }
      auto& password = static_cast<Password&>(dialog);
      password.txtPass->setText(QStringLiteral("8061"));
      QTest::keyClick(password.txtPass, Qt::Key_Return);
      QTest::keyClick(password.txtPass, Qt::Key_Escape);
      EXPECT_TRUE(password.isVisible());
      const auto& [typed, okButton] = attempts[attempt];
      password.txtPass->setText(typed);
      (okButton ? password.cmdExit : password.Command2)->click();
    });
    station.form->settingsPage->machinePanel->Command1->click();
  }
  EXPECT_EQ(calibratedAt, 4);
  EXPECT_EQ(writes, (Writes{{2, 1}, {1, 4464}, {0, 108}}));
  EXPECT_EQ(closed, (QStringList{"Password", "Password", "Password", "Password", "Calibration", "Password"}));
  EXPECT_TRUE(station.dialogs.boxes.empty());
}

TEST_F(CalibrationAgainstIndicator, SerializationStoresTheNumberInItsFileAndSendsNothing) {
  QLocale::setDefault(QLocale::c());
  test::WhenShown(QStringLiteral("WinSerialNum"), [&](QDialog& dialog) {
    auto& window = static_cast<WinSerialNum&>(dialog);
    window.SerialNum->setText(QStringLiteral("2.75"));
    window.cmdOK->click();
  });
  station.form->settingsPage->Serialization->click();
  QLocale::setDefault(QLocale::system());
  QFile file(station.folder.File(QStringLiteral("serial.cfg")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray(" 2.75 \r\n"));
  EXPECT_TRUE(writes.empty());
  EXPECT_TRUE(station.dialogs.boxes.empty());
}

}  // namespace
}  // namespace vt
