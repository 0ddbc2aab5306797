#include "platform/ScriptedDialogs.h"

namespace vt {

int ScriptedDialogs::showMessage(const QString& text, int style, const QString& title) {
  boxes.push_back({text, title, style});
  if (whileOpen) whileOpen();
  if (answers.empty()) return DefaultAnswer(style);
  const int answer = answers.front();
  answers.pop_front();
  return answer;
}

QString ScriptedDialogs::showInput(const QString& prompt, const QString& title, const QString& defaultText) {
  prompts.push_back({prompt, title, defaultText});
  if (whileOpen) whileOpen();
  if (inputs.empty()) return {};
  QString text = inputs.front();
  inputs.pop_front();
  return text;
}

std::optional<QString> ScriptedDialogs::nextFile(const FileDialogRequest& request, bool save) {
  fileDialogs.push_back({request, save});
  if (whileOpen) whileOpen();
  if (files.empty()) return std::nullopt;
  auto choice = files.front();
  files.pop_front();
  return choice;
}

std::optional<QString> ScriptedDialogs::showOpen(const FileDialogRequest& request) {
  return nextFile(request, false);
}

std::optional<QString> ScriptedDialogs::showSave(const FileDialogRequest& request) {
  return nextFile(request, true);
}

QStringList ScriptedDialogs::texts() const {
  QStringList result;
  for (const auto& box : boxes) result << box.text;
  return result;
}

}  // namespace vt
