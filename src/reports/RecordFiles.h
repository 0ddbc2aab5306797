#pragma once

#include <QLineEdit>
#include <QObject>
#include <array>
#include <functional>

#include "reports/ReportPage.h"
#include "reports/ReportTab.h"
#include "reports/TestRecord.h"
#include "station/MachinePanel.h"
#include "station/Program.h"
#include "station/TestPage.h"

namespace vt {

// Test record files in the "Tests" folder below the program folder: saving
// the test the window shows and opening a stored one again.
class RecordFiles : public QObject {
  Q_OBJECT
 public:
  // `companyHdr` are the two report header lines of the settings tab;
  // `updateTestGraph` is the curve update that runs once after a record was
  // read (it may be empty).
  RecordFiles(Program& program, TestPage& testPage, ReportPage& reportPage, MachinePanel& machinePanel,
              std::array<QLineEdit*, 2> companyHdr, ReportTab& reportTab, std::function<void()> updateTestGraph);

  // The base name of a record saved now.
  QString MakeRecordName() const;
  void SaveTestRecord();
  // Puts the record into the window. A file that cannot be opened is
  // reported and changes nothing, and the opening goes on. False when the
  // file is no regular file (a FIFO, a device or a socket, which is never
  // waited on) or no test record (it holds a character that no text holds,
  // such as the NUL bytes a power cut leaves): that is reported, nothing
  // changes, and the opening stops.
  bool LoadTestRecord(const QString& path);

  void cmdSaveTestOnly_Click();
  void BrowseLogPrint_Click();
  void browseOlds_Click();

  // The record of what the window shows, and a record read back put into the window.
  TestRecord GatherRecord() const;
  void ApplyRecord(const TestRecord& record);

 private:
  QString TestsFolder() const;

  Program& program_;
  TestPage& test_;
  ReportPage& report_;
  MachinePanel& machine_;
  std::array<QLineEdit*, 2> companyHdr_;
  ReportTab& reportTab_;
  std::function<void()> updateTestGraph_;
};

}  // namespace vt
