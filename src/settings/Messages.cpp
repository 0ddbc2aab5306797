#include "settings/Messages.h"

#include <QDir>

namespace vt {

void ShowCommFailed(Dialogs& dialogs) {
  dialogs.LinkFailureBox(QStringLiteral("Communication Failed"), MsgStyle::Exclamation, QStringLiteral("Cannot Proceed"));
}

void ShowEntryError(Dialogs& dialogs, const QString& message) {
  dialogs.MsgBox(message, MsgStyle::Exclamation, QStringLiteral("Error in entry"));
}

bool AskConfirm(Dialogs& dialogs, const QString& question) {
  return dialogs.MsgBox(question, MsgStyle::YesNo + MsgStyle::Question, QStringLiteral("Confirmation")) ==
         MsgAnswer::Yes;
}

bool AskSettingsPassword(Dialogs& dialogs) {
  const QString typed =
      dialogs.InputBox(QStringLiteral("Ayarlar için şifre girmelisiniz"), QStringLiteral("Sifreyi Giriniz"));
  if (typed == kSettingsPassword) return true;
  if (!typed.isEmpty()) dialogs.MsgBox(QStringLiteral("HATALI SIFRE!"), MsgStyle::OkOnly);
  return false;
}

bool EnsureFolder(const QString& parent, const QString& name) {
  const QDir dir(parent);
  const QStringList found =
      dir.entryList({name}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  if (found.contains(name)) return true;
  return dir.mkdir(name);
}

void GlobalNop() {}

}  // namespace vt
