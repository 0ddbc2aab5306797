#include "setup/WinSerialNum.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>

#include "platform/ScriptedDialogs.h"
#include "support/ProgramFolder.h"
#include "support/QStringPrinter.h"

namespace vt {
namespace {

const QString kNotValid = QStringLiteral("The Serial Number entered is not valid!");
const QString kNotPositive = QStringLiteral("The Serial Number must be positive!");
const QLocale kTurkish(QLocale::Turkish, QLocale::Turkey);

class WinSerialNumTest : public ::testing::Test {
 protected:
  void TearDown() override { QLocale::setDefault(QLocale::system()); }

  QByteArray SerialFile() const {
    QFile file(folder.File(QStringLiteral("serial.cfg")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
  }

  test::ProgramFolder folder{false};
  ScriptedDialogs dialogs;
  FakeClock clock;
  Program program{folder.Path(), dialogs, clock};
};

TEST_F(WinSerialNumTest, OpensEmptyWithUpdateAsDefaultAndCancelOnEsc) {
  WinSerialNum window(program);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Set new value"));
  EXPECT_EQ(window.SerialNum->text(), QString());
  EXPECT_TRUE(window.cmdOK->isDefault());
  window.show();
  window.SerialNum->setText(QStringLiteral("5"));
  QTest::keyClick(window.SerialNum, Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(SerialFile(), QByteArray("(none)"));

  WinSerialNum again(program);
  again.show();
  again.SerialNum->setText(QStringLiteral("5"));
  QTest::keyClick(again.SerialNum, Qt::Key_Return);
  EXPECT_FALSE(again.isVisible());
  EXPECT_EQ(SerialFile(), QByteArray(" 5 \r\n"));
}

// The entry is tested in the user's number format, then read with "." as
// the decimal sign up to the first character that cannot continue it.
TEST_F(WinSerialNumTest, EntriesAreTestedInTheUsersFormatAndStoredAsTheFilesReadThem) {
  const struct {
    QLocale locale;
    QString typed;
    QString message;  // empty: accepted
    QByteArray stored;
  } rows[] = {
      {QLocale::c(), "", kNotValid, {}},
      {QLocale::c(), "abc", kNotValid, {}},
      {QLocale::c(), "12abc", kNotValid, {}},
      {QLocale::c(), "-3", kNotPositive, {}},
      {QLocale::c(), "0", {}, " 0 \r\n"},
      {QLocale::c(), " 2.75 ", {}, " 2.75 \r\n"},
      {QLocale::c(), "1,000", {}, " 1 \r\n"},
      {QLocale::c(), "1.5e3", {}, " 1500 \r\n"},
      {kTurkish, "2.75", kNotValid, {}},
      {kTurkish, "2,75", {}, " 2 \r\n"},
      // More than the file's 15 significant digits, or only in exponent form.
      {QLocale::c(), "1e300", kNotValid, {}},
      {QLocale::c(), "12345678901234567", kNotValid, {}},
      {QLocale::c(), "0.30000000000000004", kNotValid, {}},
      {QLocale::c(), "123456789012345", {}, " 123456789012345 \r\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE((row.locale.name() + QStringLiteral(" ") + row.typed).toStdString());
    QLocale::setDefault(row.locale);
    QFile::remove(folder.File(QStringLiteral("serial.cfg")));
    dialogs.boxes.clear();
    WinSerialNum window(program);
    window.show();
    window.SerialNum->setText(row.typed);
    window.cmdOK->click();
    if (row.message.isEmpty()) {
      EXPECT_TRUE(dialogs.boxes.empty());
      EXPECT_FALSE(window.isVisible());
      EXPECT_EQ(SerialFile(), row.stored);
    } else {
      ASSERT_EQ(dialogs.boxes.size(), 1u);
      EXPECT_EQ(dialogs.boxes[0].text, row.message);
      EXPECT_EQ(dialogs.boxes[0].style, MsgStyle::OkOnly);
      EXPECT_EQ(dialogs.boxes[0].title, dialogs.AppTitle());
      EXPECT_TRUE(window.isVisible());
      EXPECT_EQ(window.SerialNum->text(), row.typed);
      EXPECT_EQ(SerialFile(), QByteArray("(none)"));
    }
  }
}

TEST_F(WinSerialNumTest, AFailedWriteIsReportedAndTheWindowStillCloses) {
  ASSERT_TRUE(QDir(folder.Path()).mkdir(QStringLiteral("serial.cfg")));
  WinSerialNum window(program);
  window.show();
  window.SerialNum->setText(QStringLiteral("42"));
  window.cmdOK->click();
  EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Cannot update serial file")});
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace vt
