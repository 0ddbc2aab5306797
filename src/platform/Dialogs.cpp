#include "platform/Dialogs.h"

#include <QDialog>

namespace vt {
namespace {

// A question, a prompt, a file dialog, a window and a link failure's box are
// declined for a command that a stop overtook.
constexpr bool kDeclinedWhenOvertaken = true;

bool IsQuestion(int style) { return (style & 7) != MsgStyle::OkOnly; }

}  // namespace

int Dialogs::MsgBox(const QString& text, int style, const std::optional<QString>& title) {
  // A box that may not show answers the button that declines: No, Cancel,
  // or the lone OK.
  if (!BeforeShowing(IsQuestion(style))) return DefaultAnswer(style | MsgStyle::DefaultButton2);
  return showMessage(text, style, title.value_or(appTitle_));
}

void Dialogs::LinkFailureBox(const QString& text, int style, const QString& title) {
  if (BeforeShowing(kDeclinedWhenOvertaken)) showMessage(text, style, title);
}

QString Dialogs::InputBox(const QString& prompt, const std::optional<QString>& title,
                          const QString& defaultText) {
  if (!BeforeShowing(kDeclinedWhenOvertaken)) return {};
  return showInput(prompt, title.value_or(appTitle_), defaultText);
}

std::optional<QString> Dialogs::ShowOpen(const FileDialogRequest& request) {
  if (!BeforeShowing(kDeclinedWhenOvertaken)) return std::nullopt;
  return showOpen(request);
}

std::optional<QString> Dialogs::ShowSave(const FileDialogRequest& request) {
  if (!BeforeShowing(kDeclinedWhenOvertaken)) return std::nullopt;
  return showSave(request);
}

void Dialogs::ShowModal(QDialog& window) {
  if (BeforeShowing(kDeclinedWhenOvertaken)) window.exec();
}

bool Dialogs::ShowProgress(QDialog& window) {
  if (ended_ || Overtaken()) return false;
  window.exec();
  return true;
}

bool Dialogs::BeforeShowing(bool declinedWhenOvertaken) {
  if (ended_) return false;
  if (runQueued_) runQueued_();
  // The queued presses may end the program: then nothing shows.
  return !ended_ && !(declinedWhenOvertaken && Overtaken());
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
