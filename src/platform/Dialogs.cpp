#include "platform/Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <cstdio>

namespace vt {
namespace {

// A question, a prompt, a file dialog, a window and a link failure's box are
// declined for a command that a stop overtook.
constexpr bool kDeclinedWhenOvertaken = true;

bool IsQuestion(int style) { return (style & 7) != MsgStyle::OkOnly; }

}  // namespace

int Dialogs::MsgBox(const QString& text, int style, const std::optional<QString>& title) {
  // A box that may not show answers the button that declines: No, Cancel,
  // or the lone OK; so does one that the program's end closed.
  const int declined = DefaultAnswer(style | MsgStyle::DefaultButton2);
  if (!BeforeShowing(IsQuestion(style))) {
    // What the end of the program keeps from showing, a failed save among
    // them, is still told: on the standard error, which the terminal or
    // the session's log keeps.
    if (Ended() && !IsQuestion(style)) {
      std::fprintf(stderr, "%s: %s\n", qPrintable(title.value_or(appTitle_)), qPrintable(text));
    }
    return declined;
  }
  const int answer = showMessage(text, style, title.value_or(appTitle_));
  return Ended() ? declined : answer;
}

void Dialogs::LinkFailureBox(const QString& text, int style, const QString& title) {
  if (BeforeShowing(kDeclinedWhenOvertaken)) showMessage(text, style, title);
}

QString Dialogs::InputBox(const QString& prompt, const std::optional<QString>& title,
                          const QString& defaultText) {
  if (!BeforeShowing(kDeclinedWhenOvertaken)) return {};
  const QString text = showInput(prompt, title.value_or(appTitle_), defaultText);
  return Ended() ? QString() : text;
}

std::optional<QString> Dialogs::ShowOpen(const FileDialogRequest& request) {
  if (!BeforeShowing(kDeclinedWhenOvertaken)) return std::nullopt;
  auto path = showOpen(request);
  return Ended() ? std::nullopt : path;
}

std::optional<QString> Dialogs::ShowSave(const FileDialogRequest& request) {
  if (!BeforeShowing(kDeclinedWhenOvertaken)) return std::nullopt;
  auto path = showSave(request);
  return Ended() ? std::nullopt : path;
}

void Dialogs::ShowModal(QDialog& window) {
  if (BeforeShowing(kDeclinedWhenOvertaken)) window.exec();
}

bool Dialogs::ShowProgress(QDialog& window) {
  if (Ended() || Overtaken()) return false;
  window.exec();
  return true;
}

void Dialogs::EndShowingNow() {
  endedForGood_ = true;
  // Every box, prompt, file dialog and window the program shows is modal.
  // Each returns from its loop once control is back there, and what asked
  // takes the declining answer; a "Please Wait" window refuses, and closes
  // itself once its transfer has ended.
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* open = qobject_cast<QDialog*>(widget);
    if (open && open->isVisible() && open->isModal()) open->reject();
  }
}

bool Dialogs::BeforeShowing(bool declinedWhenOvertaken) {
  if (Ended()) return false;
  if (runQueued_) runQueued_();
  // The queued presses may end the program: then nothing shows.
  return !Ended() && !(declinedWhenOvertaken && Overtaken());
}

int DefaultAnswer(int style) {
  const bool second = (style & MsgStyle::DefaultButton2) != 0;
  switch (style & 7) {
    case MsgStyle::YesNo:
      return second ? MsgAnswer::No : MsgAnswer::Yes;
    case MsgStyle::RetryCancel:
      return second ? MsgAnswer::Cancel : MsgAnswer::Retry;
    default:
      return MsgAnswer::Ok;
  }
}

}  // namespace vt
