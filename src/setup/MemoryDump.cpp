#include "setup/MemoryDump.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/Controls.h"
#include "platform/Presses.h"
#include "settings/Messages.h"
#include "setup/MemoryFile.h"

namespace vt {
namespace {

const QString kListingHeader = QStringLiteral("Data\tAddress\r\n");
const QString kMemoryFileFilter = QStringLiteral("(EEprom Memory Files)|*.mem|(All Files)|*.*");
// Long file names, the current folder left alone, no read-only box, a
// prompt before overwriting; the open dialog also wants an existing file.
constexpr int kSaveDialogFlags = 0x20040E;
constexpr int kOpenDialogFlags = kSaveDialogFlags | FileMustExist;

QString ListingLine(const QString& value, int address) {
  return value + QLatin1Char('\t') + QString::number(address) + QStringLiteral("\r\n");
}

void ShowFileError(Dialogs& dialogs, const QString& text) {
  dialogs.MsgBox(text, MsgStyle::OkOnly, QStringLiteral("File System Error"));
}

}  // namespace

MemoryDump::MemoryDump(Program& program, ParameterTransfers& transfers, Transactions& transactions, QWidget* owner)
    : QDialog(owner), program_(program), transfers_(transfers), transactions_(transactions) {
  setObjectName(QStringLiteral("MemoryDump"));
  setWindowTitle(QStringLiteral("Parameter Read/Write"));

  Text1 = Named(new QPlainTextEdit, "Text1");
  Text1->setReadOnly(true);
  Text1->setMinimumSize(220, 300);
  auto* memoryWindow = Named(new QGroupBox(QStringLiteral("Memory Window")), "MemoryWindow");
  (new QVBoxLayout(memoryWindow))->addWidget(Text1);

  FetFileComp = Named(new QPushButton(QStringLiteral("Read")), "FetFileComp");
  StoreFileComp = Named(new QPushButton(QStringLiteral("Save")), "StoreFileComp");
  auto* frame1 = Named(new QGroupBox(QStringLiteral("Archieve To/From File")), "Frame1");
  auto* frame1Layout = new QHBoxLayout(frame1);
  frame1Layout->addWidget(FetFileComp);
  frame1Layout->addWidget(StoreFileComp);

  chkCalibRW = Named(new QCheckBox(QStringLiteral("Calibration")), "chkCalibRW");
  ReadPar = Named(new QPushButton(QStringLiteral("Read")), "ReadPar");
  SetPar = Named(new QPushButton(QStringLiteral("Save")), "SetPar");
  auto* frame2 = Named(new QGroupBox(QStringLiteral("DEVICE Read/Write")), "Frame2");
  auto* frame2Layout = new QVBoxLayout(frame2);
  frame2Layout->addWidget(chkCalibRW);
  auto* deviceButtons = new QHBoxLayout;
  deviceButtons->addWidget(ReadPar);
  deviceButtons->addWidget(SetPar);
  frame2Layout->addLayout(deviceButtons);

  cmdCancel = Named(new QPushButton(QStringLiteral("Exit")), "cmdCancel");
  cmdCancel->setToolTip(QStringLiteral("Discard modifications and return to display without any update"));
  StoreFileComp->setEnabled(false);
  SetPar->setEnabled(false);
  for (QPushButton* button : {FetFileComp, StoreFileComp, ReadPar, SetPar, cmdCancel}) button->setAutoDefault(false);

  auto* side = new QVBoxLayout;
  side->addWidget(frame1);
  side->addWidget(frame2);
  side->addStretch();
  side->addWidget(cmdCancel);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(memoryWindow, 1);
  layout->addLayout(side);

  CommandQueue& queue = program_.commandQueue;
  OnPress(queue, FetFileComp, &QPushButton::clicked, this, [this] { FetFileComp_Click(); });
  OnPress(queue, StoreFileComp, &QPushButton::clicked, this, [this] { StoreFileComp_Click(); });
  OnPress(queue, ReadPar, &QPushButton::clicked, this, [this] { ReadPar_Click(); });
  OnPress(queue, SetPar, &QPushButton::clicked, this, [this] { SetPar_Click(); });
  OnPress(queue, cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

FileDialogRequest MemoryDump::DialogRequest(const QString& fileName, int flags) const {
  FileDialogRequest request;
  request.initDir = program_.programFolder;
  request.fileName = fileName;
  request.filter = kMemoryFileFilter;
  request.flags = flags;
  return request;
}

void MemoryDump::EnableSaving() {
  SetPar->setEnabled(true);
  StoreFileComp->setEnabled(true);
}

void MemoryDump::FetFileComp_Click() {
  transactions_.SuspendPolling();
  const auto path = program_.dialogs.ShowOpen(DialogRequest(QStringLiteral("*.mem"), kOpenDialogFlags));
  if (path && !path->isEmpty() && LoadMemoryFile(*path)) EnableSaving();
  transactions_.ResumePolling();
}

void MemoryDump::StoreFileComp_Click() {
  const QString name = program_.clock.Now().toString(QStringLiteral("yyyyMMdd_HHmmss")) + QStringLiteral(".mem");
  transactions_.SuspendPolling();
  const auto path = program_.dialogs.ShowSave(DialogRequest(name, kSaveDialogFlags));
  if (path && !path->isEmpty()) WriteFileMemoDump(*path);
  transactions_.ResumePolling();
}

bool MemoryDump::LoadMemoryFile(const QString& path) {
  // A file read only in part changes nothing, so no half-read image can be
  // written on.
  const auto text = ReadMemoryFile(path);
  if (!text || !text->complete) {
    ShowFileError(program_.dialogs, QStringLiteral("Cannot read file"));
    return false;
  }
  auto& image = program_.global.ParImage;
  QString listing = kListingHeader;
  for (int address = 0; address < text->lines.size(); ++address) {
    const QString& line = text->lines[address];
    // A line that is no cell value leaves its cell as it was.
    if (const auto value = MemoryCellValue(line)) image[address] = *value;
    listing += ListingLine(line, address);
  }
  Text1->setPlainText(listing);
  return true;
}

void MemoryDump::WriteFileMemoDump(const QString& path) {
  if (!WriteMemoryFile(path, program_.global.ParImage)) {
    ShowFileError(program_.dialogs, QStringLiteral("Cannot write file"));
  }
}

void MemoryDump::ReadPar_Click() {
  if (ReadDeviceMemory()) EnableSaving();
}

bool MemoryDump::ReadDeviceMemory() {
  auto& image = program_.global.ParImage;
  // A read that did not finish leaves the image of the last whole read.
  const auto lastWholeRead = image;
  program_.comm.CommError = false;
  transfers_.ClearParFlags();
  program_.global.ParFlags[ParGroup::WholeMemory] = true;
  transfers_.ShowReadSetUp(this);
  const bool whole = !program_.comm.CommError;
  if (whole) {
    QString listing = kListingHeader;
    for (int address = 0; address < kMemoryFileLines; ++address) {
      listing += ListingLine(QString::number(image[address]), address);
    }
    Text1->setPlainText(listing);
  } else {
    image = lastWholeRead;
    ShowCommFailed(program_.dialogs);
  }
  transactions_.ResumePolling();
  return whole;
}

void MemoryDump::SetPar_Click() {
  transactions_.SuspendPolling();
  WriteDeviceMemory();
  transactions_.ResumePolling();
}

void MemoryDump::WriteDeviceMemory() {
  transfers_.ClearParFlags();
  program_.global.ParFlags[ParGroup::WholeMemory] = true;
  program_.comm.CommError = false;
  transfers_.ShowWriteSetUp(this, chkCalibRW->isChecked() ? 1 : 0);
  if (program_.comm.CommError) ShowCommFailed(program_.dialogs);
}

void MemoryDump::cmdCancel_Click() { reject(); }

}  // namespace vt
