#include <QApplication>

#include "app/MainForm.h"
#include "platform/Clock.h"
#include "platform/QtDialogs.h"
#include "platform/QtTranslations.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const auto translations = vt::QtTranslations(QLocale());
  if (translations) QApplication::installTranslator(translations.get());
  vt::QtDialogs dialogs;
  vt::SystemClock clock;
  vt::MainForm window(QCoreApplication::applicationDirPath(), dialogs, clock);
  window.ShowOnScreen();
  return application.exec();
}
