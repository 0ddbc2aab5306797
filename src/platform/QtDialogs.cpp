#include "platform/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace vt {
namespace {

QMessageBox::Icon IconOf(int style) {
  switch (style & 0x70) {
    case MsgStyle::Critical:
      return QMessageBox::Critical;
    case MsgStyle::Question:
      return QMessageBox::Question;
    case MsgStyle::Exclamation:
      return QMessageBox::Warning;
    default:
      return QMessageBox::NoIcon;
  }
}

std::optional<QString> RunFileDialog(const FileDialogRequest& request, bool save) {
  QFileDialog dialog(QApplication::activeWindow(), QString(), request.initDir, QtFileFilter(request.filter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode((request.flags & FileMustExist) || !save ? QFileDialog::ExistingFile
                                                              : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (!request.defaultExt.isEmpty()) dialog.setDefaultSuffix(request.defaultExt);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

}  // namespace

QString QtFileFilter(const QString& filter) {
  if (filter.isEmpty()) return {};
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList choices;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString description = parts[i];
    const QString shown = QStringLiteral("(") + pattern + QLatin1Char(')');
    choices << (description.endsWith(shown) ? description : description + QLatin1Char(' ') + shown);
  }
  return choices.join(QStringLiteral(";;"));
}

int QtDialogs::showMessage(const QString& text, int style, const QString& title) {
  QMessageBox box(IconOf(style), title, text, QMessageBox::NoButton, QApplication::activeWindow());
  QList<QPair<QAbstractButton*, int>> answers;
  auto add = [&](QMessageBox::StandardButton button, int answer) {
    answers.append({box.addButton(button), answer});
  };
  switch (style & 7) {
    case MsgStyle::YesNo:
      add(QMessageBox::Yes, MsgAnswer::Yes);
      add(QMessageBox::No, MsgAnswer::No);
      break;
    case MsgStyle::RetryCancel:
      add(QMessageBox::Retry, MsgAnswer::Retry);
      add(QMessageBox::Cancel, MsgAnswer::Cancel);
      break;
    default:
      add(QMessageBox::Ok, MsgAnswer::Ok);
      break;
  }
  const int defaultIndex = (style & MsgStyle::DefaultButton2) && answers.size() > 1 ? 1 : 0;
  box.setDefaultButton(qobject_cast<QPushButton*>(answers[defaultIndex].first));
  box.exec();
  for (const auto& [button, answer] : answers) {
    if (box.clickedButton() == button) return answer;
  }
  // Closed with the close box: a box with a Cancel button answers Cancel, others their default.
  return (style & 7) == MsgStyle::RetryCancel ? MsgAnswer::Cancel : answers[defaultIndex].second;
}

QString QtDialogs::showInput(const QString& prompt, const QString& title, const QString& defaultText) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal, defaultText, &ok);
  return ok ? text : QString();
}

std::optional<QString> QtDialogs::showOpen(const FileDialogRequest& request) {
  return RunFileDialog(request, false);
}

std::optional<QString> QtDialogs::showSave(const FileDialogRequest& request) {
  return RunFileDialog(request, true);
}

}  // namespace vt
