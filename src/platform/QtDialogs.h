#pragma once

#include "platform/Dialogs.h"

namespace vt {

// The real boxes and dialogs, owned by the application's active window.
class QtDialogs : public Dialogs {
 public:
  std::optional<QString> ShowOpen(const FileDialogRequest& request) override;
  std::optional<QString> ShowSave(const FileDialogRequest& request) override;

 protected:
  int showMessage(const QString& text, int style, const QString& title) override;
  QString showInput(const QString& prompt, const QString& title, const QString& defaultText) override;
};

// Turns "desc|pattern|desc|pattern" into Qt's "desc (pattern);;..." form.
QString QtFileFilter(const QString& filter);

}  // namespace vt
