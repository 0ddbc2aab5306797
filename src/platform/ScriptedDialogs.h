#pragma once

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "platform/Dialogs.h"

namespace vt {

// Dialogs for tests: records every box, prompt and file dialog and answers
// from queues. A box whose queue is empty answers its default button, a
// prompt whose queue is empty is cancelled, a file dialog is cancelled.
class ScriptedDialogs : public Dialogs {
 public:
  struct Box {
    QString text;
    QString title;
    int style = 0;
  };
  struct Prompt {
    QString prompt;
    QString title;
    QString defaultText;
  };
  struct FileDialog {
    FileDialogRequest request;
    bool save = false;
  };

  std::vector<Box> boxes;
  std::vector<Prompt> prompts;
  std::vector<FileDialog> fileDialogs;

  std::deque<int> answers;
  std::deque<QString> inputs;
  std::deque<std::optional<QString>> files;

  // Runs while a box, a prompt or a file dialog is "open", before it
  // answers: lets a test look at the program's state behind it.
  std::function<void()> whileOpen;

  // The texts of every box shown so far, in order.
  QStringList texts() const;

 protected:
  std::optional<QString> showOpen(const FileDialogRequest& request) override;
  std::optional<QString> showSave(const FileDialogRequest& request) override;
  int showMessage(const QString& text, int style, const QString& title) override;
  QString showInput(const QString& prompt, const QString& title, const QString& defaultText) override;

 private:
  std::optional<QString> nextFile(const FileDialogRequest& request, bool save);
};

}  // namespace vt
