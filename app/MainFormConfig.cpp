// The main window's side of the configuration file: which setting or control
// each line comes from, and how a line read back is applied, in the file's
// order, running the list handlers as a choice by the operator does.
#include "app/MainForm.h"
#include "platform/FileReading.h"
#include "settings/ConfigFile.h"
#include "settings/NumberText.h"

namespace vt {

void MainForm::LoadConfig() {
  Global& global = program.global;
  Communication& comm = program.comm;
  TestPage& test = *testPage;
  MachinePanel& machine = *settingsPage->machinePanel;

  const auto record = ReadConfigFile(ConfigFilePath(program.programFolder));
  if (!record) {
    program.dialogs.MsgBox(QStringLiteral("Cannot read configuration file, please select options manually"),
                           MsgStyle::OkOnly, QStringLiteral("File System Error"));
    comm.IndPort = Port::Offline;
    comm.PLCSettings = kPlcSettings;
    return;
  }
  auto line = [&](int n) -> std::optional<QString> {
    if (!record->Has(n)) return std::nullopt;
    return record->At(n);
  };
  auto text = [&](int n, QString& target) {
    if (auto value = line(n)) target = *value;
  };
  auto box = [&](int n, QLineEdit* target) {
    if (auto value = line(n)) target->setText(*value);
  };

  QPixmap logo;
  if (LoadPicture(logo, program.programFolder + QStringLiteral("/logo.jpg"))) reportPage->picIdeal->setPixmap(logo);

  if (auto value = line(cfg::ServiceCode)) global.ServiceCode = ConfigNumber(*value);
  if (auto value = line(cfg::IndPort)) comm.IndPort = ConfigRounded(*value);
  test.IndTCPConOK->setVisible(comm.IndPort == Port::Tcp);
  test.labTCPCOn->setVisible(comm.IndPort == Port::Tcp);
  // A line that names no station leaves the address as it was.
  if (auto value = line(cfg::DevAddress); value && StationAddress(*value)) comm.DevAddress = *value;
  if (auto value = line(cfg::RTUMode)) comm.RTUMode = ConfigRounded(*value);
  text(cfg::PortSettings, comm.PortSettings);
  text(cfg::DataPathDrive, global.DataPathDrive);
  text(cfg::DataPath, global.DataPath);
  text(cfg::GraphSetting, global.GraphSetting);
  if (auto value = line(cfg::GraphAutoRange)) program.graphic.GraphAutoRange = ConfigFlag(*value);
  if (auto value = line(cfg::GraphShowGrid)) program.graphic.GraphShowGrid = ConfigFlag(*value);

  if (auto value = line(cfg::GraphUnit)) {
    if (auto index = ConfigListIndex(*value, test.graphUnit->count())) {
      test.graphUnit->setCurrentIndex(*index);
      test.graphUnit_Click();
    }
  }
  if (auto value = line(cfg::StepVal)) test.txtStepVal->setText(PlainNumber(ConfigNumber(*value)));
  text(cfg::LogFile, global.LogFile);
  text(cfg::LogEnabled, global.LogEnabled);
  if (auto value = line(cfg::MachineType)) {
    const int index = ConfigRounded(*value);
    if (index >= -1 && index < machine.SelMachineType->count()) {
      machine.SelMachineType->setCurrentIndex(index);
      machine.SelMachineType_Click();
    }
  }
  box(cfg::DimensionW, test.txtDimensionW);
  box(cfg::DimensionH, test.txtDimensionH);
  box(cfg::DimensionL, test.txtDimensionL);
  box(cfg::Location, test.txtLocation);
  box(cfg::CustomerName, test.txtCustomerName);
  box(cfg::ProductName, test.txtProductName);
  box(cfg::Temperature, test.txtTemperature);
  box(cfg::Humidity, test.txtHumidity);
  box(cfg::PreLoading, machine.txtPreLoading);
  for (int i = 0; i < 3; ++i) box(cfg::ReportTensileVal0 + i, reportPage->txtReportTensileVal[i]);
  for (int i = 0; i < 2; ++i) box(cfg::CompanyHdr0 + i, settingsPage->txtCompanyHdr[i]);

  // Line 30 is read and dropped: the PLC settings are fixed.
  comm.PLCSettings = kPlcSettings;

  std::optional<int> plcPort = comm.PLCPort;
  if (auto value = line(cfg::PLCPort)) plcPort = ConfigListIndex(*value, machine.SelPLCComPort->count());
  if (plcPort && *plcPort >= 0) {
    comm.PLCPort = *plcPort;
    machine.SelPLCComPort->setCurrentIndex(*plcPort);
    testRun->SelPLCComPort_Click();
  }

  if (auto value = line(cfg::PLCSpeed)) test.txtPLCSpeed->setText(ConfigPlcSpeed(*value));
  for (int i = 0; i < 4; ++i) {
    if (auto value = line(cfg::IPAddr0 + i)) {
      if (auto octet = ConfigOctet(*value)) comm.IPAddr[i] = *octet;
    }
  }
}

void MainForm::SaveConfig() {
  const Global& global = program.global;
  const Communication& comm = program.comm;
  const TestPage& test = *testPage;
  const MachinePanel& machine = *settingsPage->machinePanel;

  ConfigFileLines lines;
  auto at = [&](int n) -> QString& { return lines[n - 1]; };
  at(cfg::ServiceCode) = global.ServiceCode ? ConfigNumberText(*global.ServiceCode) : QString();
  at(cfg::IndPort) = ConfigNumberText(comm.IndPort);
  at(cfg::DevAddress) = comm.DevAddress;
  at(cfg::RTUMode) = ConfigNumberText(comm.RTUMode);
  at(cfg::PortSettings) = comm.PortSettings;
  at(cfg::DataPathDrive) = global.DataPathDrive;
  at(cfg::DataPath) = global.DataPath;
  at(cfg::GraphSetting) = global.GraphSetting;
  at(cfg::GraphAutoRange) = ConfigFlagText(program.graphic.GraphAutoRange);
  at(cfg::GraphShowGrid) = ConfigFlagText(program.graphic.GraphShowGrid);
  at(cfg::GraphUnit) = ConfigNumberText(test.graphUnit->currentIndex());
  at(cfg::StepVal) = test.txtStepVal->text();
  at(cfg::LogFile) = global.LogFile;
  at(cfg::LogEnabled) = global.LogEnabled;
  at(cfg::MachineType) = ConfigNumberText(machine.SelMachineType->currentIndex());
  at(cfg::DimensionW) = test.txtDimensionW->text();
  at(cfg::DimensionH) = test.txtDimensionH->text();
  at(cfg::DimensionL) = test.txtDimensionL->text();
  at(cfg::Location) = test.txtLocation->text();
  at(cfg::CustomerName) = test.txtCustomerName->text();
  at(cfg::ProductName) = test.txtProductName->text();
  at(cfg::Temperature) = test.txtTemperature->text();
  at(cfg::Humidity) = test.txtHumidity->text();
  at(cfg::PreLoading) = machine.txtPreLoading->text();
  for (int i = 0; i < 3; ++i) at(cfg::ReportTensileVal0 + i) = reportPage->txtReportTensileVal[i]->text();
  for (int i = 0; i < 2; ++i) at(cfg::CompanyHdr0 + i) = settingsPage->txtCompanyHdr[i]->text();
  at(cfg::PLCSettings) = comm.PLCSettings;
  at(cfg::PLCPort) = ConfigNumberText(comm.PLCPort);
  at(cfg::PLCSpeed) = test.txtPLCSpeed->text();
  for (int i = 0; i < 4; ++i) at(cfg::IPAddr0 + i) = ConfigNumberText(comm.IPAddr[i]);

  if (!WriteConfigFile(ConfigFilePath(program.programFolder), lines)) {
    program.dialogs.MsgBox(QStringLiteral("Cannot update configuration file"), MsgStyle::OkOnly,
                           QStringLiteral("File System Error"));
  }
}

}  // namespace vt
