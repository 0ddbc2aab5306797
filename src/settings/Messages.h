#pragma once

#include <QString>

#include "platform/Dialogs.h"

namespace vt {

// The settings password, compared character by character with what is typed.
inline const QString kSettingsPassword = QStringLiteral("8061");

// "Communication Failed", titled "Cannot Proceed".
void ShowCommFailed(Dialogs& dialogs);

// The caller's message, titled "Error in entry".
void ShowEntryError(Dialogs& dialogs, const QString& message);

// A Yes/No question titled "Confirmation"; true for Yes.
bool AskConfirm(Dialogs& dialogs, const QString& question);

// The prompt in front of the settings tab; true when the typed text is the
// settings password. A wrong, non-empty entry shows "HATALI SIFRE!".
bool AskSettingsPassword(Dialogs& dialogs);

// Creates the folder `name` below `parent` when no entry of exactly that
// name stands there. False when the folder had to be made and could not be.
bool EnsureFolder(const QString& parent, const QString& name);

// The link layer's empty hook.
void GlobalNop();

}  // namespace vt
