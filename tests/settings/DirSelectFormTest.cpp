#include "settings/DirSelectForm.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <algorithm>
#include <limits>

#include "platform/ScriptedDialogs.h"
#include "support/ProgramFolder.h"

namespace vt {
namespace {

// Two folders of a temporary folder stand in for two drives; a drive in
// `silent` does not answer until it has been asked `asksToAnswer` times.
class FakeDrives : public DriveSource {
 public:
  QList<Drive> drives;
  QSet<QString> silent;
  int asksToAnswer = std::numeric_limits<int>::max();
  mutable int asked = 0;

  QList<Drive> Drives() const override { return drives; }
  bool Answers(const QString& mountPoint) const override {
    return !silent.contains(mountPoint) || ++asked >= asksToAnswer;
  }
};

class DirSelectFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : {"A/alpha", "A/beta/inner", "B/data/runs", "B/.hidden/x"}) {
      ASSERT_TRUE(QDir().mkpath(root.File(QLatin1String(folder))));
    }
    QFile file(root.File(QStringLiteral("A/notes.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    drives.drives = {{driveA, QString()}, {driveB, QStringLiteral("BEE")}};
  }

  std::unique_ptr<DirSelectForm> Open() {
    return std::make_unique<DirSelectForm>(global, queue, dialogs, [this] { ++saves; }, drives);
  }

  void Store(const QString& drive, const QString& folder) {
    global.DataPathDrive = drive;
    global.DataPath = folder;
  }

  test::ProgramFolder root{false};
  const QString driveA = root.File(QStringLiteral("A"));
  const QString driveB = root.File(QStringLiteral("B"));
  const QString nameA = driveA;
  const QString nameB = driveB + QStringLiteral(" [BEE]");
  FakeDrives drives;
  Global global;
  CommandQueue queue;
  ScriptedDialogs dialogs;
  int saves = 0;
};

QStringList ChildNames(const QTreeWidgetItem* item) {
  QStringList names;
  for (int i = 0; i < item->childCount(); ++i) names << item->child(i)->text(0);
  return names;
}

TEST_F(DirSelectFormTest, OpensAtTheStoredDriveAndFolderAndOkStoresThemAgain) {
  // The stored drive is not the first one, which the window would fall back to.
  Store(nameB, driveB + QStringLiteral("/data/runs"));
  auto form = Open();
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Directory for default archieve"));
  EXPECT_EQ(form->DriveSel->currentText(), nameB);
  EXPECT_EQ(form->DirSelPath(), driveB + QStringLiteral("/data/runs"));
  EXPECT_EQ(form->ChosenDrive(), nameB);
  EXPECT_EQ(form->ChosenFolder(), driveB + QStringLiteral("/data/runs"));
  EXPECT_TRUE(dialogs.boxes.empty());

  Store(QStringLiteral("elsewhere"), QStringLiteral("/elsewhere"));  // Ok must write, not merely keep
  form->Command1_Click();
  EXPECT_EQ(global.DataPathDrive, nameB);
  EXPECT_EQ(global.DataPath, driveB + QStringLiteral("/data/runs"));
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(form->result(), QDialog::Accepted);
}

TEST_F(DirSelectFormTest, TheOperatorsDriveAndFolderAreStoredByOk) {
  Store(nameB, driveB + QStringLiteral("/data"));
  auto form = Open();
  form->DriveSel->setCurrentIndex(form->DriveSel->findText(nameA));
  EXPECT_EQ(form->DirSelPath(), driveA);
  EXPECT_EQ(form->ChosenDrive(), nameA);
  EXPECT_EQ(form->ChosenFolder(), driveA);

  QTreeWidgetItem* top = form->DirSel->topLevelItem(0);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(ChildNames(top), (QStringList{"alpha", "beta"}));  // folders only
  QTreeWidgetItem* beta = top->child(1);
  beta->setExpanded(true);
  EXPECT_EQ(ChildNames(beta), QStringList{"inner"});
  form->DirSel->setCurrentItem(beta->child(0));
  EXPECT_EQ(form->ChosenFolder(), driveA + QStringLiteral("/beta/inner"));

  form->Command1->click();
  EXPECT_EQ(global.DataPathDrive, nameA);
  EXPECT_EQ(global.DataPath, driveA + QStringLiteral("/beta/inner"));
  EXPECT_EQ(saves, 1);
}

TEST_F(DirSelectFormTest, ADriveThatDoesNotAnswerIsRefusedOnCancel) {
  Store(nameA, driveA + QStringLiteral("/alpha"));
  drives.silent = {driveB};
  dialogs.answers = {MsgAnswer::Cancel};
  auto form = Open();
  form->DriveSel->setCurrentIndex(form->DriveSel->findText(nameB));

  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, QStringLiteral("Device not responding"));
  EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("Error"));
  EXPECT_EQ(dialogs.boxes[0].style, MsgStyle::RetryCancel);
  EXPECT_EQ(form->DriveSel->currentText(), nameA);
  EXPECT_EQ(form->DirSelPath(), driveA + QStringLiteral("/alpha"));
  EXPECT_EQ(form->ChosenDrive(), nameA);
  EXPECT_EQ(form->ChosenFolder(), driveA + QStringLiteral("/alpha"));

  form->Command1_Click();
  EXPECT_EQ(global.DataPathDrive, nameA);
  EXPECT_EQ(global.DataPath, driveA + QStringLiteral("/alpha"));

  // Once nothing may show (the program is ending), the question declines:
  // no Retry keeps asking the drive.
  dialogs.EndShowing();
  drives.asksToAnswer = drives.asked + 3;
  form->DriveSel->setCurrentIndex(form->DriveSel->findText(nameB));
  EXPECT_EQ(form->DriveSel->currentText(), nameA);
  EXPECT_EQ(dialogs.boxes.size(), 1u);
}

TEST_F(DirSelectFormTest, RetryAsksAgainUntilTheDriveAnswers) {
  Store(nameA, driveA);
  drives.silent = {driveB};
  dialogs.answers = {MsgAnswer::Retry, MsgAnswer::Retry};
  dialogs.whileOpen = [this] {
    if (dialogs.boxes.size() == 2) drives.silent.clear();  // the medium goes in during the second question
  };
  auto form = Open();
  form->DriveSel->setCurrentIndex(form->DriveSel->findText(nameB));

  EXPECT_EQ(dialogs.texts(), (QStringList{"Device not responding", "Device not responding"}));
  EXPECT_EQ(form->DriveSel->currentText(), nameB);
  EXPECT_EQ(form->ChosenDrive(), nameB);
  EXPECT_EQ(form->DirSelPath(), driveB);
  EXPECT_EQ(form->ChosenFolder(), driveB);
}

TEST_F(DirSelectFormTest, CancelAndTheCloseBoxStoreNothing) {
  Store(nameB, driveB + QStringLiteral("/data/runs"));
  {
    auto form = Open();
    form->DriveSel->setCurrentIndex(form->DriveSel->findText(nameA));
    form->SetDirSelPath(driveA + QStringLiteral("/alpha"));
    form->Command2_Click();
    EXPECT_EQ(form->result(), QDialog::Rejected);
  }
  {
    auto form = Open();
    form->show();
    form->DriveSel->setCurrentIndex(form->DriveSel->findText(nameA));
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
  }
  EXPECT_EQ(global.DataPathDrive, nameB);
  EXPECT_EQ(global.DataPath, driveB + QStringLiteral("/data/runs"));
  EXPECT_EQ(saves, 0);
}

TEST_F(DirSelectFormTest, WithoutAStoredChoiceTheFirstDriveOpensAndOkStoresWhatIsShown) {
  auto form = Open();
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_EQ(form->DriveSel->currentText(), nameA);
  EXPECT_EQ(form->DirSelPath(), driveA);
  form->Command1_Click();
  EXPECT_EQ(global.DataPathDrive, nameA);
  EXPECT_EQ(global.DataPath, driveA);
}

TEST_F(DirSelectFormTest, AStoredChoiceThatCannotBeShownGivesWayToTheNearestOne) {
  struct Case {
    QString drive, folder, shownDrive, shownFolder;
  };
  const Case cases[] = {
      // the folder is gone: its deepest ancestor that is left
      {nameB, driveB + "/data/gone/deeper", nameB, driveB + "/data"},
      // the folder is not on the stored drive: that drive's top folder
      {nameA, driveB + "/data", nameA, driveA},
      // the drive is no longer mounted: the drive that holds the folder
      {"/media/gone [OLD]", driveB + "/data/runs", nameB, driveB + "/data/runs"},
      // the drive's label changed: found by its mount point
      {driveB + " [OLD]", driveB + "/data/runs", nameB, driveB + "/data/runs"},
      // a hidden folder is not listed but can be opened
      {nameB, driveB + "/.hidden/x", nameB, driveB + "/.hidden/x"},
      // a relative folder is on no drive
      {nameB, "data", nameB, driveB},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((c.drive + " | " + c.folder).toStdString());
    Store(c.drive, c.folder);
    auto form = Open();
    EXPECT_EQ(form->DriveSel->currentText(), c.shownDrive);
    EXPECT_EQ(form->DirSelPath(), c.shownFolder);
    EXPECT_EQ(form->ChosenDrive(), c.shownDrive);
    EXPECT_EQ(form->ChosenFolder(), c.shownFolder);
  }
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(DirSelectFormTest, AStoredDriveThatDoesNotAnswerAtOpening) {
  Store(nameB, driveB + QStringLiteral("/data/runs"));
  drives.silent = {driveB};
  dialogs.answers = {MsgAnswer::Cancel};
  {
    auto form = Open();
    EXPECT_EQ(dialogs.texts(), QStringList{"Device not responding"});
    // Another drive is shown; the refused drive is not offered again.
    EXPECT_EQ(form->DriveSel->currentText(), nameA);
    EXPECT_EQ(form->DirSelPath(), driveA);
    EXPECT_EQ(form->ChosenDrive(), nameA);
  }
  dialogs.answers = {MsgAnswer::Retry};
  dialogs.whileOpen = [this] { drives.silent.clear(); };
  {
    auto form = Open();
    EXPECT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(form->DriveSel->currentText(), nameB);
    EXPECT_EQ(form->DirSelPath(), driveB + QStringLiteral("/data/runs"));
  }
}

TEST(DriveNameTest, MountPointThenLabelInBrackets) {
  EXPECT_EQ(DriveName({QStringLiteral("/media/usb"), QStringLiteral("MYSTICK")}), QStringLiteral("/media/usb [MYSTICK]"));
  EXPECT_EQ(DriveName({QStringLiteral("/"), QString()}), QStringLiteral("/"));
}

TEST(MountedDrivesTest, TheRootFileSystemIsADriveThatAnswersAndAPlainFolderIsNone) {
  const MountedDrives mounted;
  bool rootListed = false;
  for (const Drive& drive : mounted.Drives()) rootListed = rootListed || drive.mountPoint == QStringLiteral("/");
  EXPECT_TRUE(rootListed);
  EXPECT_TRUE(mounted.Answers(QStringLiteral("/")));

  const test::ProgramFolder folder(false);
  EXPECT_FALSE(mounted.Answers(folder.Path()));  // not a mount point
  EXPECT_FALSE(mounted.Answers(folder.File(QStringLiteral("missing"))));
}

// A chroot or a container, where no file system is mounted on "/" itself.
TEST(MountedDrivesTest, TheRootFolderIsADriveAlsoWhereTheMountTableLacksIt) {
  const MountedDrives unlisted([] { return QList<QStorageInfo>(); });
  ASSERT_EQ(unlisted.Drives().size(), 1);
  EXPECT_EQ(unlisted.Drives()[0].mountPoint, QStringLiteral("/"));
  EXPECT_TRUE(unlisted.Answers(QStringLiteral("/")));
  // Listed in the table, it is shown once.
  const QList<Drive> drives = MountedDrives().Drives();
  EXPECT_EQ(std::count_if(drives.begin(), drives.end(),
                          [](const Drive& drive) { return drive.mountPoint == QStringLiteral("/"); }),
            1);
}

TEST(MountedDrivesTest, TheWindowOnTheRealDrivesOpensWithoutAStoredChoice) {
  Global global;
  CommandQueue queue;
  ScriptedDialogs dialogs;
  DirSelectForm form(global, queue, dialogs, {});
  EXPECT_FALSE(form.ChosenDrive().isEmpty());
  EXPECT_EQ(form.ChosenDrive(), form.DriveSel->currentText());
  EXPECT_FALSE(form.ChosenFolder().isEmpty());
  EXPECT_EQ(form.ChosenFolder(), form.DirSelPath());
  if (QDir::home().exists()) {
    EXPECT_EQ(form.DirSelPath(), QDir::cleanPath(QDir::homePath()));
  }
}

}  // namespace
}  // namespace vt
