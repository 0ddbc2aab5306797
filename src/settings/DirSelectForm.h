#pragma once

#include <QComboBox>
#include <QDialog>
#include <QList>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeWidget>
#include <functional>

#include "platform/CommandQueue.h"
#include "platform/Dialogs.h"
#include "settings/Global.h"

namespace vt {

// A mounted file system, as the drive list offers it.
struct Drive {
  QString mountPoint;
  QString label;  // the volume label; empty when the volume has none
};

// The drives the drive list shows and whether a drive answers: the machine's
// mounted file systems in the program, a prepared set in tests.
class DriveSource {
 public:
  virtual ~DriveSource() = default;
  virtual QList<Drive> Drives() const = 0;
  // True when the drive's folders can be listed now.
  virtual bool Answers(const QString& mountPoint) const = 0;
};

// The machine's mounted file systems (without the system's pseudo file
// systems) and the root folder, which is a drive also where the mount table
// does not list it. A drive answers while its top folder can be read and
// entered and, but for the root folder, it is still mounted at its mount
// point and reports itself ready.
class MountedDrives : public DriveSource {
 public:
  // `mountTable` lists the mounted volumes: the machine's own by default.
  explicit MountedDrives(std::function<QList<QStorageInfo>()> mountTable = &QStorageInfo::mountedVolumes);
  QList<Drive> Drives() const override;
  bool Answers(const QString& mountPoint) const override;

 private:
  std::function<QList<QStorageInfo>()> mountTable_;
};

// The name under which the drive list shows a drive: the mount point, then
// the volume label in brackets when there is one ("/media/usb [MYSTICK]").
QString DriveName(const Drive& drive);

// The data-directory window: the operator picks a drive and a folder on it;
// "Ok" stores them as DataPathDrive and DataPath and writes the configuration.
//
// When the stored choice cannot be shown at opening, the window shows the
// nearest thing it can, and "Ok" stores what it shows:
// - a stored drive that is no longer mounted (or none stored) gives way to
//   the drive holding the stored folder, else to the drive holding the home
//   folder, else to the first drive;
// - a stored drive that does not answer asks "Device not responding" as any
//   drive change does; Cancel there gives way to another drive, chosen as
//   above;
// - a stored folder that is not on the shown drive gives way to the home
//   folder when that is on the drive, else to the drive's top folder;
// - a stored folder that no longer exists gives way to its deepest
//   ancestor that still does.
class DirSelectForm : public QDialog {
  Q_OBJECT
 public:
  DirSelectForm(Global& global, CommandQueue& queue, Dialogs& dialogs, std::function<void()> saveConfig,
                QWidget* parent = nullptr);
  DirSelectForm(Global& global, CommandQueue& queue, Dialogs& dialogs, std::function<void()> saveConfig,
                const DriveSource& drives, QWidget* parent = nullptr);

  QComboBox* DriveSel;
  QTreeWidget* DirSel;
  QPushButton* Command1;
  QPushButton* Command2;

  // The folder list's path: the full path of its current folder, empty
  // while it shows no drive.
  QString DirSelPath() const;
  // Moves the folder list to `path` on the shown drive: to its deepest
  // folder that exists, or to the drive's top folder when the path is not
  // on that drive.
  void SetDirSelPath(const QString& path);

  // The choice "Ok" stores.
  const QString& ChosenDrive() const { return chosenDrive_; }
  const QString& ChosenFolder() const { return chosenFolder_; }

  void DirSel_Change();
  void DriveSel_Change();
  void Command1_Click();
  void Command2_Click();

 private:
  void Form_Load();
  void SelectDrive(int index);
  int StoredDriveIndex() const;
  int FallbackDriveIndex(int refused) const;
  int DriveHolding(const QString& path) const;
  QString MountPointAt(int index) const;
  void ShowDrive(const QString& mountPoint);
  void FillFolder(QTreeWidgetItem* item);
  QTreeWidgetItem* AddFolder(QTreeWidgetItem* parent, const QString& name);

  Global& global_;
  Dialogs& dialogs_;
  std::function<void()> saveConfig_;
  const DriveSource& drives_;
  QString chosenDrive_;
  QString chosenFolder_;
};

}  // namespace vt
