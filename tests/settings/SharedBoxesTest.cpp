#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/ScriptedDialogs.h"
#include "settings/Messages.h"
#include "settings/SerialFile.h"
#include "support/ProgramFolder.h"

namespace vt {
namespace {

TEST(SettingsPassword, OnlyTheExactTextOpens) {
  ScriptedDialogs dialogs;
  dialogs.inputs = {QStringLiteral("8061")};
  EXPECT_TRUE(AskSettingsPassword(dialogs));
  EXPECT_TRUE(dialogs.boxes.empty());
  ASSERT_EQ(dialogs.prompts.size(), 1u);
  EXPECT_EQ(dialogs.prompts[0].prompt, QStringLiteral("Ayarlar için şifre girmelisiniz"));
  EXPECT_EQ(dialogs.prompts[0].title, QStringLiteral("Sifreyi Giriniz"));

  for (const QString& typed : {QStringLiteral(" 8061"), QStringLiteral("8061 "), QStringLiteral("806")}) {
    ScriptedDialogs wrong;
    wrong.inputs = {typed};
    EXPECT_FALSE(AskSettingsPassword(wrong)) << typed.toStdString();
    ASSERT_EQ(wrong.boxes.size(), 1u);
    EXPECT_EQ(wrong.boxes[0].text, QStringLiteral("HATALI SIFRE!"));
    EXPECT_EQ(wrong.boxes[0].style, 0);
  }

  ScriptedDialogs cancelled;  // Cancel gives the empty text: no box
  EXPECT_FALSE(AskSettingsPassword(cancelled));
  EXPECT_TRUE(cancelled.boxes.empty());
}

TEST(SharedBoxes, TextsTitlesAndStyles) {
  ScriptedDialogs dialogs;
  ShowCommFailed(dialogs);
  ShowEntryError(dialogs, QStringLiteral("bad entry"));
  dialogs.answers = {MsgAnswer::No, MsgAnswer::Yes};
  EXPECT_FALSE(AskConfirm(dialogs, QStringLiteral("Sure?")));
  EXPECT_TRUE(AskConfirm(dialogs, QStringLiteral("Sure?")));
  ASSERT_EQ(dialogs.boxes.size(), 4u);
  EXPECT_EQ(dialogs.boxes[0].text, QStringLiteral("Communication Failed"));
  EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("Cannot Proceed"));
  EXPECT_EQ(dialogs.boxes[0].style, 48);
  EXPECT_EQ(dialogs.boxes[1].title, QStringLiteral("Error in entry"));
  EXPECT_EQ(dialogs.boxes[1].style, 48);
  EXPECT_EQ(dialogs.boxes[2].title, QStringLiteral("Confirmation"));
  EXPECT_EQ(dialogs.boxes[2].style, 36);
}

TEST(EnsureFolder, CreatesOnceAndLeavesAFileOfThatName) {
  QTemporaryDir dir;
  EXPECT_TRUE(EnsureFolder(dir.path(), QStringLiteral("Tests")));
  EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("Tests"))).exists());
  EXPECT_TRUE(EnsureFolder(dir.path(), QStringLiteral("Tests")));

  QTemporaryDir other;
  QFile blocker(other.filePath(QStringLiteral("Tests")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  EnsureFolder(other.path(), QStringLiteral("Tests"));
  EXPECT_FALSE(QFileInfo(other.filePath(QStringLiteral("Tests"))).isDir());
}

TEST(SerialFile, OneLineInTheFreePrintFormat) {
  test::ProgramFolder folder(false);
  ScriptedDialogs dialogs;
  SaveSerial(dialogs, folder.Path(), 1500);
  EXPECT_EQ(folder.ReadLines(QStringLiteral("serial.cfg")), QStringList({QStringLiteral(" 1500 ")}));
  EXPECT_EQ(LoadSerial(dialogs, folder.Path()), 1500);
  SaveSerial(dialogs, folder.Path(), 77);
  EXPECT_EQ(folder.ReadLines(QStringLiteral("serial.cfg")), QStringList({QStringLiteral(" 77 ")}));
  EXPECT_TRUE(dialogs.boxes.empty());

  folder.WriteLines(QStringLiteral("serial.cfg"), {QStringLiteral("  77abc"), QStringLiteral("9")});
  EXPECT_EQ(LoadSerial(dialogs, folder.Path()), 77);
}

TEST(SerialFile, MissingOrUnwritableFileShowsItsMessage) {
  test::ProgramFolder folder(false);
  ScriptedDialogs dialogs;
  EXPECT_EQ(LoadSerial(dialogs, folder.Path()), 0);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text,
            QStringLiteral("Cannot read serial file, 0 will be assigned as serial, please specify serial number manually"));
  EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("File System Error"));

  SaveSerial(dialogs, folder.File(QStringLiteral("no-such-folder")), 5);
  ASSERT_EQ(dialogs.boxes.size(), 2u);
  EXPECT_EQ(dialogs.boxes[1].text, QStringLiteral("Cannot update serial file"));
}

}  // namespace
}  // namespace vt
