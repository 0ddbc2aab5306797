#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>

#include "link/Transactions.h"
#include "setup/ParameterTransfers.h"
#include "station/Program.h"

namespace vt {

// "Parameter Read/Write": the indicator's whole parameter memory moved
// between the device, the image and ".mem" files, and listed.
class MemoryDump : public QDialog {
  Q_OBJECT
 public:
  MemoryDump(Program& program, ParameterTransfers& transfers, Transactions& transactions, QWidget* owner);

  QPlainTextEdit* Text1;
  QPushButton* FetFileComp;
  QPushButton* StoreFileComp;
  QCheckBox* chkCalibRW;
  QPushButton* ReadPar;
  QPushButton* SetPar;
  QPushButton* cmdCancel;

  void FetFileComp_Click();
  void StoreFileComp_Click();
  void ReadPar_Click();
  void SetPar_Click();
  void cmdCancel_Click();

  // Each read is true when it read the whole memory.
  bool LoadMemoryFile(const QString& path);
  void WriteFileMemoDump(const QString& path);
  bool ReadDeviceMemory();
  void WriteDeviceMemory();

 private:
  FileDialogRequest DialogRequest(const QString& fileName, int flags) const;
  void EnableSaving();

  Program& program_;
  ParameterTransfers& transfers_;
  Transactions& transactions_;
};

}  // namespace vt
