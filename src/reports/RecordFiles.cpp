#include "reports/RecordFiles.h"

#include <algorithm>

#include "platform/Presses.h"
#include "platform/TextFile.h"
#include "settings/Messages.h"
#include "settings/NumberText.h"

namespace vt {
namespace {

const QString kTestsFolder = QStringLiteral("Tests");
const QString kFileSystemError = QStringLiteral("File System Error");

// A list's selection set from a record runs the list's own handling, as a
// choice by the operator does; an index the list does not have is refused.
template <class Handler>
void SelectFromRecord(QComboBox* list, const std::optional<int>& index, Handler handler) {
  if (!index || *index < -1 || *index >= list->count()) return;
  list->setCurrentIndex(*index);
  handler();
}

}  // namespace

RecordFiles::RecordFiles(Program& program, TestPage& testPage, ReportPage& reportPage, MachinePanel& machinePanel,
                         std::array<QLineEdit*, 2> companyHdr, ReportTab& reportTab,
                         std::function<void()> updateTestGraph)
    : program_(program),
      test_(testPage),
      report_(reportPage),
      machine_(machinePanel),
      companyHdr_(companyHdr),
      reportTab_(reportTab),
      updateTestGraph_(std::move(updateTestGraph)) {
  CommandQueue& queue = program_.commandQueue;
  OnPress(queue, test_.cmdSaveTestOnly, &QPushButton::clicked, this, [this] { cmdSaveTestOnly_Click(); });
  OnPress(queue, test_.browseOlds, &QPushButton::clicked, this, [this] { browseOlds_Click(); });
  OnPress(queue, report_.BrowseLogPrint, &QPushButton::clicked, this, [this] { BrowseLogPrint_Click(); });
}

QString RecordFiles::TestsFolder() const { return program_.programFolder + QLatin1Char('/') + kTestsFolder; }

QString RecordFiles::MakeRecordName() const {
  return RecordName(program_.clock.Now(), test_.txtProductName->text());
}

TestRecord RecordFiles::GatherRecord() const {
  const TestPage& t = test_;
  TestRecord r;
  r.humidity = t.txtHumidity->text();
  r.temperature = t.txtTemperature->text();
  r.productName = t.txtProductName->text();
  r.customerName = t.txtCustomerName->text();
  r.location = t.txtLocation->text();
  r.dimensionW = t.txtDimensionW->text();
  r.dimensionH = t.txtDimensionH->text();
  r.dimensionL = t.txtDimensionL->text();
  r.testStart = t.labTestStart->text();
  r.testStop = t.labTestStop->text();
  r.distance = t.labDistance->text();
  r.displacementSpeed = t.labDisplacementSpeed->text();
  r.timePassSeconds = t.labResultTimePassSeconds->text();
  r.holdVal = t.labHoldVal->text();
  r.graphUnit = t.graphUnit->currentIndex();
  r.machineType = machine_.SelMachineType->currentIndex();
  r.stepVal = t.txtStepVal->text();
  r.testDistance = t.labTestDistance->text();
  for (int k = 0; k < 5; ++k) r.timeLog[k] = t.LabTimeLog[k]->text();
  r.gap = t.labGap->text();
  for (int i = 0; i < 3; ++i) r.reportTensileVals[i] = report_.txtReportTensileVal[i]->text();
  for (int i = 0; i < 2; ++i) r.companyHdr[i] = companyHdr_[i]->text();
  r.plcSettings = program_.comm.PLCSettings;
  r.plcPort = program_.comm.PLCPort;
  r.plcSpeed = t.txtPLCSpeed->text();

  const Graphic& graphic = program_.graphic;
  r.sampleCountLine = graphic.GraphSampleCount - 1;
  const qsizetype count = std::min<qsizetype>(SampleLines(r.sampleCountLine), graphic.GraphSamples.size());
  r.samples.assign(graphic.GraphSamples.begin(), graphic.GraphSamples.begin() + count);
  return r;
}

void RecordFiles::ApplyRecord(const TestRecord& r) {
  TestPage& t = test_;
  t.txtHumidity->setText(r.humidity);
  t.txtTemperature->setText(r.temperature);
  t.txtProductName->setText(r.productName);
  t.txtCustomerName->setText(r.customerName);
  t.txtLocation->setText(r.location);
  t.txtDimensionW->setText(r.dimensionW);
  t.txtDimensionH->setText(r.dimensionH);
  t.txtDimensionL->setText(r.dimensionL);
  t.labTestStart->setText(r.testStart);
  t.labTestStop->setText(r.testStop);
  t.labDistance->setText(r.distance);
  t.labDisplacementSpeed->setText(r.displacementSpeed);
  t.labResultTimePassSeconds->setText(r.timePassSeconds);
  t.labHoldVal->setText(r.holdVal);
  SelectFromRecord(t.graphUnit, r.graphUnit, [&t] { t.graphUnit_Click(); });
  SelectFromRecord(machine_.SelMachineType, r.machineType, [this] { machine_.SelMachineType_Click(); });
  t.txtStepVal->setText(r.stepVal);
  t.labEncoder->setText(r.testDistance);
  t.labTestDistance->setText(r.testDistance);
  for (int k = 0; k < 5; ++k) t.LabTimeLog[k]->setText(r.timeLog[k]);
  Global& global = program_.global;
  if (const auto gap = RecordNumber(r.gap)) global.GapValue = *gap;
  t.labGap->setText(PlainNumber(global.GapValue));

  Graphic& graphic = program_.graphic;
  const qsizetype count = std::min<qsizetype>(r.samples.size(), graphic.GraphSamples.size());
  for (qsizetype i = 0; i < count; ++i) {
    if (r.samples[i]) graphic.GraphSamples[i] = *r.samples[i];
  }
  t.LabDispData->setText(r.lastLineRead);
  graphic.GraphSampleCount = SampleCountAfterReading(r.sampleCountLine);
  graphic.ResetThinning();
}

void RecordFiles::SaveTestRecord() {
  EnsureFolder(program_.programFolder, kTestsFolder);
  const QString path = TestsFolder() + QLatin1Char('/') + MakeRecordName() + QStringLiteral(".mem");
  if (!WriteTextLines(path, RecordLines(GatherRecord()))) {
    program_.dialogs.MsgBox(QStringLiteral("Cannot write test record file %1").arg(path), MsgStyle::OkOnly,
                            kFileSystemError);
  }
}

bool RecordFiles::LoadTestRecord(const QString& path) {
  const TextFileLines file = ReadTextFile(path, kRecordReadLimit);
  if (file.result == TextFileRead::NotText) {
    program_.dialogs.MsgBox(QStringLiteral("File %1 is not a test record").arg(path), MsgStyle::OkOnly,
                            kFileSystemError);
    return false;
  }
  if (file.result != TextFileRead::Read) {
    program_.dialogs.MsgBox(QStringLiteral("Cannot read test record file %1").arg(path), MsgStyle::OkOnly,
                            kFileSystemError);
    return file.result == TextFileRead::CannotOpen;
  }
  ApplyRecord(ParseRecordLines(file.lines));
  return true;
}

void RecordFiles::cmdSaveTestOnly_Click() {
  if (!program_.global.RecordLoaded) SaveTestRecord();
}

void RecordFiles::BrowseLogPrint_Click() {
  EnsureFolder(program_.programFolder, kTestsFolder);
  FileDialogRequest request;
  request.initDir = TestsFolder();
  request.defaultExt = QStringLiteral("mem");
  request.filter = QStringLiteral("Apps (*.mem)|*.mem|All files (*.*)|*.*");
  request.flags = FileMustExist;
  const auto chosen = program_.dialogs.ShowOpen(request);
  if (!chosen || !LoadTestRecord(*chosen)) return;
  program_.global.RecordLoaded = true;
  reportTab_.SSTab1_Click(Tab::Test);
  if (updateTestGraph_) updateTestGraph_();
  reportTab_.SelectTab(Tab::Test);
}

void RecordFiles::browseOlds_Click() { BrowseLogPrint_Click(); }

}  // namespace vt
