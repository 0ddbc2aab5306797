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

class WinSerialNumTest : public ::testing::Test {
 protected:
  void TearDown() override { QLocale::setDefault(QLocale::system()); }
  // Types the entry into a new window and presses `key`.
  std::unique_ptr<WinSerialNum> Enter(const QString& typed, Qt::Key key = Qt::Key_Return) {
    auto window = std::make_unique<WinSerialNum>(program);
    window->show();
    EXPECT_EQ(window->SerialNum->text(), QString());
    window->SerialNum->setText(typed);
    QTest::keyClick(window->SerialNum, key);
    return window;
  }
  QByteArray SerialFile() const {
    QFile file(folder.File(QStringLiteral("serial.cfg")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  test::ProgramFolder folder{false};
  ScriptedDialogs dialogs;
  FakeClock clock;
  Program program{folder.Path(), dialogs, clock};
};

// The entry is tested in the user's number format, then read with "." as
// the decimal sign up to the first character that cannot continue it.
TEST_F(WinSerialNumTest, EntriesAreTestedInTheUsersFormatAndStoredAsTheFileReadsThem) {
  const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
  const struct {
    QLocale locale;
    QString typed;
    QString message;  // empty: accepted and stored
    QByteArray stored;
  } rows[] = {
      {QLocale::c(), "", kNotValid, {}},
      {QLocale::c(), "abc", kNotValid, {}},
      {QLocale::c(), "12abc", kNotValid, {}},
      {QLocale::c(), "-3", "The Serial Number must be positive!", {}},
      {QLocale::c(), "0", {}, " 0 \r\n"},
      {QLocale::c(), " 2.75 ", {}, " 2.75 \r\n"},
      {QLocale::c(), "1,000", {}, " 1 \r\n"},
      {turkish, "2.75", kNotValid, {}},
      {turkish, "2,75", {}, " 2 \r\n"},
      // Beyond the file's 15 significant digits, or only in exponent form.
      {QLocale::c(), "1e300", kNotValid, {}},
      {QLocale::c(), "12345678901234567", kNotValid, {}},
      {QLocale::c(), "0.30000000000000004", kNotValid, {}},
      {QLocale::c(), "123456789012345", {}, " 123456789012345 \r\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE((row.locale.name() + QLatin1Char(' ') + row.typed).toStdString());
    QLocale::setDefault(row.locale);
    QFile::remove(folder.File(QStringLiteral("serial.cfg")));
    dialogs.boxes.clear();
    const auto window = Enter(row.typed);
    EXPECT_EQ(SerialFile(), row.stored);
    EXPECT_EQ(window->isVisible(), !row.message.isEmpty());
    if (row.message.isEmpty()) continue;
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, row.message);
    EXPECT_EQ(dialogs.boxes[0].style, MsgStyle::OkOnly);
    EXPECT_EQ(dialogs.boxes[0].title, dialogs.AppTitle());
    EXPECT_EQ(window->SerialNum->text(), row.typed);
  }
}

TEST_F(WinSerialNumTest, EscStoresNothingAndAFailedWriteStillCloses) {
  EXPECT_FALSE(Enter(QStringLiteral("5"), Qt::Key_Escape)->isVisible());
  EXPECT_FALSE(QFile::exists(folder.File(QStringLiteral("serial.cfg"))));

  ASSERT_TRUE(QDir(folder.Path()).mkdir(QStringLiteral("serial.cfg")));
  EXPECT_FALSE(Enter(QStringLiteral("42"))->isVisible());
  EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Cannot update serial file")});
}

}  // namespace
}  // namespace vt
