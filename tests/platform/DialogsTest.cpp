#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>

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
  EXPECT_EQ(DefaultAnswer(MsgStyle::RetryCancel + MsgStyle::Critical + MsgStyle::DefaultButton2), MsgAnswer::Cancel);

  ScriptedDialogs dialogs;
  dialogs.answers = {MsgAnswer::No};
  EXPECT_EQ(dialogs.MsgBox(QStringLiteral("?"), MsgStyle::YesNo), MsgAnswer::No);
  EXPECT_EQ(dialogs.MsgBox(QStringLiteral("?"), MsgStyle::YesNo), MsgAnswer::Yes);
  EXPECT_EQ(dialogs.InputBox(QStringLiteral("prompt")), QString());
  EXPECT_FALSE(dialogs.ShowOpen({}).has_value());
  EXPECT_EQ(dialogs.fileDialogs.size(), 1u);
}

// Before anything that waits for the operator shows, the queued presses
// run. A command that a stop overtook asks nothing, opens no window, "Please
// Wait" ones included, and leaves the link's failure unshown, but still
// reports what else failed.
TEST(Dialogs, AnOvertakenCommandDeclinesQuestionsWindowsAndLinkFailuresOnly) {
  for (const bool overtaken : {false, true}) {
    ScriptedDialogs dialogs;
    int queuedRuns = 0;
    dialogs.SetBeforeShowing([&] { ++queuedRuns; }, [&] { return overtaken; });
    int windowsRun = 0;
    auto run = [&](const std::function<void(QDialog&)>& show) {
      QDialog window;
      QTimer::singleShot(0, &window, [&] {
        windowsRun += window.isVisible();
        window.accept();
      });
      show(window);
    };

    dialogs.answers = {MsgAnswer::Yes};
    EXPECT_EQ(dialogs.MsgBox(QStringLiteral("?"), MsgStyle::YesNo), overtaken ? MsgAnswer::No : MsgAnswer::Yes);
    dialogs.LinkFailureBox(QStringLiteral("link"), MsgStyle::Exclamation, QStringLiteral("Cannot Proceed"));
    dialogs.MsgBox(QStringLiteral("file"));
    dialogs.InputBox(QStringLiteral("prompt"));
    dialogs.ShowSave({});
    run([&](QDialog& window) { dialogs.ShowModal(window); });
    run([&](QDialog& window) { EXPECT_EQ(dialogs.ShowProgress(window), !overtaken); });

    EXPECT_EQ(dialogs.texts(), overtaken ? QStringList({"file"}) : QStringList({"?", "link", "file"}));
    EXPECT_EQ(dialogs.prompts.size() + dialogs.fileDialogs.size(), overtaken ? 0u : 2u);
    EXPECT_EQ(windowsRun, overtaken ? 0 : 2);
    EXPECT_EQ(queuedRuns, 6);  // not before the "Please Wait" window
  }
}

TEST(Dialogs, FileFiltersBecomeQtFilters) {
  EXPECT_EQ(QtFileFilter(QStringLiteral("Apps (*.mem)|*.mem|All files (*.*)|*.*")),
            QStringLiteral("Apps (*.mem);;All files (*.*)"));
  EXPECT_EQ(QtFileFilter(QStringLiteral("(Log Files)|*.log|(Text Files)|*.txt")),
            QStringLiteral("(Log Files) (*.log);;(Text Files) (*.txt)"));
  EXPECT_EQ(QtFileFilter(QString()), QString());
}

// Runs `act` on the message box once it shows, from within its own event
// loop; `act` must close the box.
void WhenBoxShown(std::function<void(QMessageBox&)> act) {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, [timer, act = std::move(act)] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    act(*box);
  });
  timer->start(10);
}

// The operator's boxes: the buttons of each button set in order, the one
// Enter presses, the icon, and the answer each button gives.
TEST(QtDialogsTest, EachButtonSetShowsItsButtonsAndAnswersTheOneClicked) {
  using B = QMessageBox::StandardButton;
  const struct {
    int style;
    std::vector<std::pair<B, int>> buttons;  // with the answer each gives
    B defaultButton;
    QMessageBox::Icon icon;
  } rows[] = {
      {MsgStyle::OkOnly, {{B::Ok, MsgAnswer::Ok}}, B::Ok, QMessageBox::NoIcon},
      {MsgStyle::OkOnly + MsgStyle::Exclamation, {{B::Ok, MsgAnswer::Ok}}, B::Ok, QMessageBox::Warning},
      {MsgStyle::YesNo + MsgStyle::Question, {{B::Yes, MsgAnswer::Yes}, {B::No, MsgAnswer::No}}, B::Yes,
       QMessageBox::Question},
      {MsgStyle::YesNo + MsgStyle::DefaultButton2, {{B::Yes, MsgAnswer::Yes}, {B::No, MsgAnswer::No}}, B::No,
       QMessageBox::NoIcon},
      {MsgStyle::RetryCancel + MsgStyle::Critical, {{B::Retry, MsgAnswer::Retry}, {B::Cancel, MsgAnswer::Cancel}},
       B::Retry, QMessageBox::Critical},
      {MsgStyle::RetryCancel + MsgStyle::DefaultButton2,
       {{B::Retry, MsgAnswer::Retry}, {B::Cancel, MsgAnswer::Cancel}}, B::Cancel, QMessageBox::NoIcon},
  };
  QtDialogs dialogs;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.style);
    std::vector<B> expectedButtons;
    for (const auto& [button, answer] : row.buttons) expectedButtons.push_back(button);
    // A click on each button, then Enter, which presses the default button.
    for (std::size_t press = 0; press <= row.buttons.size(); ++press) {
      WhenBoxShown([&](QMessageBox& box) {
        std::vector<B> shown;
        for (QAbstractButton* button : box.buttons()) shown.push_back(box.standardButton(button));
        std::sort(shown.begin(), shown.end());
        std::vector<B> sorted = expectedButtons;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(shown, sorted);
        EXPECT_EQ(box.defaultButton(), box.button(row.defaultButton));
        EXPECT_EQ(box.icon(), row.icon);
        EXPECT_EQ(box.text(), QStringLiteral("text"));
        EXPECT_EQ(box.windowTitle(), QStringLiteral("title"));
        if (press < row.buttons.size() && box.button(row.buttons[press].first)) {
          box.button(row.buttons[press].first)->click();
        } else if (press == row.buttons.size()) {
          QTest::keyClick(&box, Qt::Key_Return);
        }
        if (box.isVisible()) box.done(0);  // a button that is missing: the box still closes
      });
      const int answer = dialogs.MsgBox(QStringLiteral("text"), row.style, QStringLiteral("title"));
      EXPECT_EQ(answer, press < row.buttons.size() ? row.buttons[press].second : DefaultAnswer(row.style)) << press;
    }
  }
}

// The modal windows open now, boxes and dialogs included.
int OpenWindows() {
  int open = 0;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(widget);
    open += dialog && dialog->isVisible() && dialog->isModal();
  }
  return open;
}

// A termination request while a box, prompt, file dialog or window is open:
// it closes as declined, whatever the operator's default would give, a box
// asked by a window's own button and the window with it; from then on
// nothing shows, even for a new main window.
TEST(QtDialogsTest, WhatIsOpenWhenTheProgramIsAskedToEndClosesAsDeclined) {
  const QString tmp = QDir::tempPath();
  const struct {
    const char* name;
    int open;  // the windows open when the request comes
    std::function<bool(Dialogs&)> showsDeclined;
  } rows[] = {
      {"question", 1, [](Dialogs& d) { return d.MsgBox("?", MsgStyle::YesNo + MsgStyle::Question) == MsgAnswer::No; }},
      {"retry", 1, [](Dialogs& d) { return d.MsgBox("!", MsgStyle::RetryCancel) == MsgAnswer::Cancel; }},
      {"prompt", 1, [](Dialogs& d) { return d.InputBox("?", std::nullopt, "typed").isEmpty(); }},
      {"open", 1, [&](Dialogs& d) { return !d.ShowOpen({tmp, {}, {}, {}, 0}); }},
      {"save", 1, [&](Dialogs& d) { return !d.ShowSave({tmp, "record.txt", {}, {}, 0}); }},
      {"window asking", 2,
       [](Dialogs& d) {
         QDialog window;
         int answer = 0;
         QTimer::singleShot(0, &window, [&] { answer = d.MsgBox("?", MsgStyle::YesNo); });
         d.ShowModal(window);
         return answer == MsgAnswer::No && window.result() == QDialog::Rejected && !window.isVisible();
       }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QtDialogs dialogs;
    auto* request = new QTimer(qApp);
    const QDeadlineTimer deadline(10000);
    QObject::connect(request, &QTimer::timeout, [&, request] {
      if (OpenWindows() < row.open && !deadline.hasExpired()) return;
      EXPECT_EQ(OpenWindows(), row.open);
      request->deleteLater();
      dialogs.EndShowingNow();
    });
    request->start(5);
    EXPECT_TRUE(row.showsDeclined(dialogs));
    EXPECT_EQ(OpenWindows(), 0);
  }

  ScriptedDialogs ended;
  ended.EndShowingNow();
  ended.SetBeforeShowing(nullptr, nullptr);
  ended.answers = {MsgAnswer::Yes};
  ended.inputs = {QStringLiteral("typed")};
  testing::internal::CaptureStderr();
  EXPECT_EQ(ended.MsgBox(QStringLiteral("?"), MsgStyle::YesNo), MsgAnswer::No);
  EXPECT_EQ(ended.MsgBox(QStringLiteral("Cannot write"), MsgStyle::Critical, QStringLiteral("Kayıt")), MsgAnswer::Ok);
  // A report the end keeps from showing is still told; a question is not.
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Kayıt: Cannot write\n");
  EXPECT_EQ(ended.InputBox(QStringLiteral("?")), QString());
  QDialog window;
  EXPECT_FALSE(ended.ShowProgress(window));
  EXPECT_TRUE(ended.boxes.empty() && ended.prompts.empty());
}

}  // namespace
}  // namespace vt
