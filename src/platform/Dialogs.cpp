#include "platform/Dialogs.h"

#include <QDialog>

namespace vt {

int Dialogs::MsgBox(const QString& text, int style, const std::optional<QString>& title) {
  // A box that may not show answers the button that declines: No, Cancel,
  // or the lone OK.
  if (!BeforeShowing()) return DefaultAnswer(style | MsgStyle::DefaultButton2);
  return showMessage(text, style, title.value_or(appTitle_));
}

QString Dialogs::InputBox(const QString& prompt, const std::optional<QString>& title,
                          const QString& defaultText) {
  if (!BeforeShowing()) return {};
  return showInput(prompt, title.value_or(appTitle_), defaultText);
}

std::optional<QString> Dialogs::ShowOpen(const FileDialogRequest& request) {
  if (!BeforeShowing()) return std::nullopt;
  return showOpen(request);
}

std::optional<QString> Dialogs::ShowSave(const FileDialogRequest& request) {
  if (!BeforeShowing()) return std::nullopt;
  return showSave(request);
}

void Dialogs::ShowModal(QDialog& window) {
  if (BeforeShowing()) window.exec();
}

bool Dialogs::ShowProgress(QDialog& window) {
  if (ended_) return false;
  window.exec();
  return true;
}

bool Dialogs::BeforeShowing() {
  if (ended_) return false;
  const bool allowed = !beforeShowing_ || beforeShowing_();
  // The hook may end the program: then nothing shows.
  return allowed && !ended_;
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
