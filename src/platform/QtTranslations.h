#pragma once

#include <QLocale>
#include <QTranslator>
#include <memory>

namespace vt {

// Qt's own texts in the language of `locale`, from the translations Qt
// ships: the standard buttons ("Yes", "No", "OK", "Cancel") and the file
// dialogs speak the operator's language, while the program's own texts stay
// as they are. Nothing when Qt has no translation for that language.
// Installed into the application, it takes effect for windows made after.
std::unique_ptr<QTranslator> QtTranslations(const QLocale& locale);

}  // namespace vt
