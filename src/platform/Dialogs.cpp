#include "platform/Dialogs.h"

namespace vt {

int Dialogs::MsgBox(const QString& text, int style, const std::optional<QString>& title) {
  if (beforeShowing_) beforeShowing_();
  return showMessage(text, style, title.value_or(appTitle_));
}

QString Dialogs::InputBox(const QString& prompt, const std::optional<QString>& title,
                          const QString& defaultText) {
  if (beforeShowing_) beforeShowing_();
  return showInput(prompt, title.value_or(appTitle_), defaultText);
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
