#include <QApplication>

#include "app/MainForm.h"
#include "platform/Clock.h"
#include "platform/ProgramFolderLock.h"
#include "platform/QtDialogs.h"
#include "platform/QtTranslations.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const auto translations = vt::QtTranslations(QLocale());
  if (translations) QApplication::installTranslator(translations.get());
  vt::QtDialogs dialogs;
  const QString programFolder = QCoreApplication::applicationDirPath();
  // A second copy on this folder ends here, before it opens a port or writes
  // a file.
  vt::ProgramFolderLock folderLock(programFolder, vt::SharedLockFolder());
  if (!folderLock.Take(dialogs)) return 1;
  vt::SystemClock clock;
  vt::MainForm window(programFolder, dialogs, clock);
  window.ShowOnScreen();
  return application.exec();
}
