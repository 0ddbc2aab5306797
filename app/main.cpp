#include <QApplication>

#include "app/MainForm.h"
#include "platform/Clock.h"
#include "platform/ProgramFolderLock.h"
#include "platform/QtDialogs.h"
#include "platform/QtTranslations.h"
#include "platform/TerminationRequests.h"

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
  // A logout, a shutdown, Ctrl+C or a closed terminal closes VorTEST as its
  // Exit button does, whatever is open at the time: the configuration is
  // written and the machine is left as it is.
  vt::TerminationRequests termination(dialogs);
  vt::SystemClock clock;
  vt::MainForm window(programFolder, dialogs, clock);
  QObject::connect(&termination, &vt::TerminationRequests::Requested, &window, &vt::MainForm::cmdExit_Click);
  // A request that came while the window was built (its start-up box open)
  // closes it before it shows.
  if (termination.Received()) {
    window.cmdExit_Click();
    return 0;
  }
  window.ShowOnScreen();
  return application.exec();
}
