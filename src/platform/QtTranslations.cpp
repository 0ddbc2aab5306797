#include "platform/QtTranslations.h"

#include <QLibraryInfo>

namespace vt {

std::unique_ptr<QTranslator> QtTranslations(const QLocale& locale) {
  auto translator = std::make_unique<QTranslator>();
  // "qt_<language>.qm" gathers the catalogues of every Qt module.
  if (!translator->load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return nullptr;
  }
  return translator;
}

}  // namespace vt
