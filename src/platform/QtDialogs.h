#pragma once

#include "platform/Dialogs.h"

namespace vt {

// The real boxes and dialogs, owned by the application's active window.
class QtDialogs : public Dialogs {
 protected:
  std::optional<QString> showOpen(const FileDialogRequest& request) override;
  std::optional<QString> showSave(const FileDialogRequest& request) override;
  int showMessage(const QString& text, int style, const QString& title) override;
  QString showInput(const QString& prompt, const QString& title, const QString& defaultText) override;
};

// Turns "desc|pattern|desc|pattern" into Qt's "desc (pattern);;..." form.
QString QtFileFilter(const QString& filter);

}  // namespace vt
