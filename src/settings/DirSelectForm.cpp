#include "settings/DirSelectForm.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "platform/Controls.h"
#include "platform/Presses.h"

namespace vt {
namespace {

constexpr int kPathRole = Qt::UserRole;        // a folder item's full path
constexpr int kFilledRole = Qt::UserRole + 1;  // its subfolders are listed
const QString kRoot = QStringLiteral("/");

QString JoinPath(const QString& folder, const QString& name) {
  return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

// The folders leading from `mountPoint` down to `path`, or nothing when the
// path does not lie on that mount point.
std::optional<QStringList> FoldersBelow(const QString& mountPoint, const QString& path) {
  if (path.isEmpty() || mountPoint.isEmpty()) return std::nullopt;
  const QString target = QDir::cleanPath(path);
  const QString top = QDir::cleanPath(mountPoint);
  if (target == top) return QStringList{};
  const QString prefix = JoinPath(top, QString());
  if (!target.startsWith(prefix)) return std::nullopt;
  return target.mid(prefix.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

QString PathOf(const QTreeWidgetItem* item) { return item->data(0, kPathRole).toString(); }

// The machine's drives; the source keeps no state of its own.
const DriveSource& MachineDrives() {
  static const MountedDrives mounted;
  return mounted;
}

QTreeWidgetItem* ChildNamed(QTreeWidgetItem* parent, const QString& name) {
  for (int i = 0; i < parent->childCount(); ++i) {
    if (parent->child(i)->text(0) == name) return parent->child(i);
  }
  return nullptr;
}

}  // namespace

MountedDrives::MountedDrives(std::function<QList<QStorageInfo>()> mountTable) : mountTable_(std::move(mountTable)) {}

QList<Drive> MountedDrives::Drives() const {
  QList<Drive> drives;
  for (const QStorageInfo& volume : mountTable_()) {
    // Files mounted over files (as containers do) are no drives.
    if (!volume.isValid() || !QFileInfo(volume.rootPath()).isDir()) continue;
    drives.append({volume.rootPath(), volume.name()});
  }
  // The root folder is always there, also where no file system is mounted
  // on it itself (a chroot, some containers).
  const bool rootListed =
      std::any_of(drives.begin(), drives.end(), [](const Drive& drive) { return drive.mountPoint == kRoot; });
  if (!rootListed) drives.append({kRoot, QString()});
  std::sort(drives.begin(), drives.end(),
            [](const Drive& a, const Drive& b) { return a.mountPoint < b.mountPoint; });
  return drives;
}

bool MountedDrives::Answers(const QString& mountPoint) const {
  const QFileInfo top(mountPoint);
  if (!top.isDir() || !top.isReadable() || !top.isExecutable()) return false;
  if (mountPoint == kRoot) return true;
  const QStorageInfo volume(mountPoint);
  return volume.isValid() && volume.isReady() && volume.rootPath() == mountPoint;
}

QString DriveName(const Drive& drive) {
  if (drive.label.isEmpty()) return drive.mountPoint;
  return drive.mountPoint + QStringLiteral(" [") + drive.label + QLatin1Char(']');
}

DirSelectForm::DirSelectForm(Global& global, CommandQueue& queue, Dialogs& dialogs,
                             std::function<void()> saveConfig, QWidget* parent)
    : DirSelectForm(global, queue, dialogs, std::move(saveConfig), MachineDrives(), parent) {}

DirSelectForm::DirSelectForm(Global& global, CommandQueue& queue, Dialogs& dialogs,
                             std::function<void()> saveConfig, const DriveSource& drives, QWidget* parent)
    : QDialog(parent), global_(global), dialogs_(dialogs), saveConfig_(std::move(saveConfig)), drives_(drives) {
  setObjectName(QStringLiteral("DirSelectForm"));
  setWindowTitle(QStringLiteral("Directory for default archieve"));

  DriveSel = Named(new QComboBox, "DriveSel");
  DirSel = Named(new QTreeWidget, "DirSel");
  DirSel->setHeaderHidden(true);
  DirSel->setColumnCount(1);
  Command1 = Named(new QPushButton(QStringLiteral("Ok")), "Command1");
  Command2 = Named(new QPushButton(QStringLiteral("Cancel")), "Command2");
  Command1->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Command1);
  buttons->addWidget(Command2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(DriveSel);
  layout->addWidget(DirSel, 1);
  layout->addLayout(buttons);
  resize(360, 420);

  connect(DirSel, &QTreeWidget::itemExpanded, this, &DirSelectForm::FillFolder);
  connect(DirSel, &QTreeWidget::currentItemChanged, this, &DirSelectForm::DirSel_Change);
  OnPress(queue, DriveSel, &QComboBox::currentIndexChanged, this, [this] { DriveSel_Change(); });
  OnPress(queue, Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  OnPress(queue, Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });

  Form_Load();
}

void DirSelectForm::Form_Load() {
  {
    const QSignalBlocker blocker(DriveSel);
    for (const Drive& drive : drives_.Drives()) DriveSel->addItem(DriveName(drive), drive.mountPoint);
    DriveSel->setCurrentIndex(-1);
  }
  // The drive first, then the folder: the drive change moves the folder
  // list to the drive's top folder, the stored folder comes after it.
  const int stored = StoredDriveIndex();
  SelectDrive(stored);
  if (chosenDrive_.isEmpty()) SelectDrive(FallbackDriveIndex(stored));
  const QString& folder = global_.DataPath;
  SetDirSelPath(FoldersBelow(MountPointAt(DriveSel->currentIndex()), folder) ? folder : QDir::homePath());
}

// Selects a drive from code and runs the drive change as the operator's
// choice does, also when the list showed that drive already.
void DirSelectForm::SelectDrive(int index) {
  {
    const QSignalBlocker blocker(DriveSel);
    DriveSel->setCurrentIndex(index);
  }
  DriveSel_Change();
}

// The stored drive by its name, or, when its label changed since, by its
// mount point.
int DirSelectForm::StoredDriveIndex() const {
  const QString& stored = global_.DataPathDrive;
  if (stored.isEmpty()) return -1;
  const int exact = DriveSel->findText(stored);
  if (exact >= 0) return exact;
  int best = -1;
  for (int i = 0; i < DriveSel->count(); ++i) {
    const QString mountPoint = MountPointAt(i);
    const bool named = stored == mountPoint || (stored.startsWith(mountPoint + QStringLiteral(" [")) &&
                                                stored.endsWith(QLatin1Char(']')));
    if (named && (best < 0 || mountPoint.size() > MountPointAt(best).size())) best = i;
  }
  return best;
}

// The drive shown in place of the stored one, never the stored drive that
// was just refused.
int DirSelectForm::FallbackDriveIndex(int refused) const {
  for (const QString& path : {global_.DataPath, QDir::homePath()}) {
    const int index = DriveHolding(path);
    if (index >= 0 && index != refused) return index;
  }
  for (int i = 0; i < DriveSel->count(); ++i) {
    if (i != refused) return i;
  }
  return -1;
}

// The drive with the longest mount point that holds `path`.
int DirSelectForm::DriveHolding(const QString& path) const {
  int best = -1;
  for (int i = 0; i < DriveSel->count(); ++i) {
    if (FoldersBelow(MountPointAt(i), path) && (best < 0 || MountPointAt(i).size() > MountPointAt(best).size())) {
      best = i;
    }
  }
  return best;
}

QString DirSelectForm::MountPointAt(int index) const {
  return index >= 0 ? DriveSel->itemData(index).toString() : QString();
}

QString DirSelectForm::DirSelPath() const {
  const QTreeWidgetItem* item = DirSel->currentItem();
  return item ? PathOf(item) : QString();
}

void DirSelectForm::SetDirSelPath(const QString& path) {
  QTreeWidgetItem* item = DirSel->topLevelItem(0);
  if (!item) return;
  for (const QString& name : FoldersBelow(PathOf(item), path).value_or(QStringList{})) {
    FillFolder(item);
    QTreeWidgetItem* next = ChildNamed(item, name);
    // Hidden folders are not listed, but a path can still lead through one.
    if (!next && QFileInfo(JoinPath(PathOf(item), name)).isDir()) next = AddFolder(item, name);
    if (!next) break;
    item->setExpanded(true);
    item = next;
  }
  DirSel->setCurrentItem(item);
  DirSel->scrollToItem(item);
}

// The folder list shows the drive's folder tree from its top folder, and
// that folder becomes the list's path.
void DirSelectForm::ShowDrive(const QString& mountPoint) {
  QTreeWidgetItem* top = nullptr;
  {
    const QSignalBlocker blocker(DirSel);
    DirSel->clear();
    top = new QTreeWidgetItem(DirSel, {mountPoint});
    top->setData(0, kPathRole, mountPoint);
    FillFolder(top);
    top->setExpanded(true);
    DirSel->setCurrentItem(top);
  }
  DirSel_Change();
}

// Lists an item's subfolders the first time it is opened.
void DirSelectForm::FillFolder(QTreeWidgetItem* item) {
  if (item->data(0, kFilledRole).toBool()) return;
  item->setData(0, kFilledRole, true);
  const QStringList names =
      QDir(PathOf(item)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QString& name : names) AddFolder(item, name);
  item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QTreeWidgetItem* DirSelectForm::AddFolder(QTreeWidgetItem* parent, const QString& name) {
  auto* item = new QTreeWidgetItem(parent, {name});
  item->setData(0, kPathRole, JoinPath(PathOf(parent), name));
  item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  return item;
}

void DirSelectForm::DirSel_Change() { chosenFolder_ = DirSelPath(); }

void DirSelectForm::DriveSel_Change() {
  const QString mountPoint = MountPointAt(DriveSel->currentIndex());
  if (mountPoint.isEmpty()) return;
  while (!drives_.Answers(mountPoint)) {
    const int answer =
        dialogs_.MsgBox(QStringLiteral("Device not responding"), MsgStyle::RetryCancel, QStringLiteral("Error"));
    if (answer != MsgAnswer::Retry) {
      // The folder list never left the chosen drive's folders: only the
      // drive list goes back.
      const QSignalBlocker blocker(DriveSel);
      DriveSel->setCurrentIndex(DriveSel->findText(chosenDrive_));
      return;
    }
  }
  ShowDrive(mountPoint);
  chosenDrive_ = DriveSel->currentText();
}

void DirSelectForm::Command1_Click() {
  global_.DataPathDrive = chosenDrive_;
  global_.DataPath = chosenFolder_;
  if (saveConfig_) saveConfig_();
  accept();
}

void DirSelectForm::Command2_Click() { reject(); }

}  // namespace vt
