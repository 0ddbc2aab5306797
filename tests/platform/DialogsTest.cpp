#include <gtest/gtest.h>

#include "platform/QtDialogs.h"
#include "platform/ScriptedDialogs.h"

namespace vt {
namespace {

TEST(Dialogs, BoxesWithoutATitleCarryTheApplicationTitle) {
  ScriptedDialogs dialogs;
  dialogs.MsgBox(QStringLiteral("first"));
  dialogs.SetAppTitle(QStringLiteral("20260305_090700_Rope"));
  dialogs.MsgBox(QStringLiteral("second"), MsgStyle::OkOnly);
  dialogs.MsgBox(QStringLiteral("third"), MsgStyle::OkOnly, QStringLiteral("Own title"));
  ASSERT_EQ(dialogs.boxes.size(), 3u);
  EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("VorTEST"));
  EXPECT_EQ(dialogs.boxes[1].title, QStringLiteral("20260305_090700_Rope"));
  EXPECT_EQ(dialogs.boxes[2].title, QStringLiteral("Own title"));
}

TEST(Dialogs, UnscriptedBoxesAnswerTheirDefaultButton) {
  EXPECT_EQ(DefaultAnswer(MsgStyle::OkOnly + MsgStyle::Exclamation), MsgAnswer::Ok);
  EXPECT_EQ(DefaultAnswer(MsgStyle::YesNo + MsgStyle::Question), MsgAnswer::Yes);
  EXPECT_EQ(DefaultAnswer(MsgStyle::YesNo + MsgStyle::Question + MsgStyle::DefaultButton2), MsgAnswer::No);
  EXPECT_EQ(DefaultAnswer(MsgStyle::RetryCancel), MsgAnswer::Retry);

  ScriptedDialogs dialogs;
  dialogs.answers = {MsgAnswer::No};
  EXPECT_EQ(dialogs.MsgBox(QStringLiteral("?"), MsgStyle::YesNo), MsgAnswer::No);
  EXPECT_EQ(dialogs.MsgBox(QStringLiteral("?"), MsgStyle::YesNo), MsgAnswer::Yes);
  EXPECT_EQ(dialogs.InputBox(QStringLiteral("prompt")), QString());
  EXPECT_FALSE(dialogs.ShowOpen({}).has_value());
  EXPECT_EQ(dialogs.fileDialogs.size(), 1u);
}

TEST(Dialogs, FileFiltersBecomeQtFilters) {
  EXPECT_EQ(QtFileFilter(QStringLiteral("Apps (*.mem)|*.mem|All files (*.*)|*.*")),
            QStringLiteral("Apps (*.mem);;All files (*.*)"));
  EXPECT_EQ(QtFileFilter(QStringLiteral("(Log Files)|*.log|(Text Files)|*.txt")),
            QStringLiteral("(Log Files) (*.log);;(Text Files) (*.txt)"));
  EXPECT_EQ(QtFileFilter(QString()), QString());
}

}  // namespace
}  // namespace vt
