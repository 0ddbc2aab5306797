#include "platform/Dialogs.h"

#include <QDialog>

namespace vt {

int Dialogs::MsgBox(const QString& text, int style, const std::optional<QString>& title) {
  if (!MayShow()) return DefaultAnswer(style);
  return showMessage(text, style, title.value_or(appTitle_));
}

QString Dialogs::InputBox(const QString& prompt, const std::optional<QString>& title,
                          const QString& defaultText) {
  if (!MayShow()) return {};
  return showInput(prompt, title.value_or(appTitle_), defaultText);
}

std::optional<QString> Dialogs::ShowOpen(const FileDialogRequest& request) {
  if (!MayShow()) return std::nullopt;
  return showOpen(request);
}

std::optional<QString> Dialogs::ShowSave(const FileDialogRequest& request) {
  if (!MayShow()) return std::nullopt;
  return showSave(request);
}

bool Dialogs::ShowModal(QDialog& window) {
  if (!MayShow()) return false;
  window.exec();
  return true;
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
