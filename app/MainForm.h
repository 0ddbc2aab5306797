#pragma once

#include <QMainWindow>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <memory>

#include "link/CommandRegister.h"
#include "link/IndicatorLink.h"
#include "link/PlcLink.h"
#include "link/Transactions.h"
#include "link/Leds.h"
#include "reports/PrintedReports.h"
#include "reports/RecordFiles.h"
#include "reports/ReportPage.h"
#include "reports/ReportTab.h"
#include "setup/ParameterPanels.h"
#include "setup/ParameterTransfers.h"
#include "setup/SettingsPage.h"
#include "station/ElapsedTime.h"
#include "station/GraphSnapshot.h"
#include "station/IndicatorPollLink.h"
#include "station/OperatorCommands.h"
#include "station/PollCycle.h"
#include "station/Program.h"
#include "station/TestCurve.h"
#include "station/TestPage.h"
#include "station/TestRun.h"

namespace vt {

// The main window: it holds the program object, the three tab pages, the
// timers and the link, brings the system up in its fixed order and writes
// the configuration when it closes.
class MainForm : public QMainWindow {
  Q_OBJECT
 public:
  struct Options {
    quint16 tcpPort = 502;    // the indicator's TCP port; the operator cannot change it
    bool startTimers = true;  // tests may step the timers' handlers themselves
  };

  MainForm(const QString& programFolder, Dialogs& dialogs, Clock& clock, Options options);
  MainForm(const QString& programFolder, Dialogs& dialogs, Clock& clock)
      : MainForm(programFolder, dialogs, clock, Options()) {}
  ~MainForm() override;

  Program program;

  QPixmap LedOnPic;
  QPixmap LedOffPic;
  Leds leds{LedOnPic, LedOffPic};

  QTabWidget* SSTab1;
  TestPage* testPage;
  SettingsPage* settingsPage;
  ReportPage* reportPage;

  QTimer Timer1;  // poll cycle
  QTimer secTmr;  // elapsed time

  std::unique_ptr<IndicatorLink> link;
  std::unique_ptr<Transactions> transactions;
  std::unique_ptr<CommandRegister> commands;
  std::unique_ptr<ParameterTransfers> transfers;
  std::unique_ptr<ParameterPanels> parameterPanels;
  std::unique_ptr<PlcLink> plc;
  std::unique_ptr<IndicatorPollLink> pollLink;
  std::unique_ptr<TestRun> testRun;
  std::unique_ptr<OperatorCommands> operatorCommands;
  std::unique_ptr<TestCurve> testCurve;
  std::unique_ptr<PollCycle> pollCycle;
  std::unique_ptr<ElapsedTime> elapsedTime;
  std::unique_ptr<GraphSnapshot> graphSnapshot;
  std::unique_ptr<ReportTab> reportTab;
  std::unique_ptr<RecordFiles> recordFiles;
  std::unique_ptr<PrintedReports> printedReports;

  // Shows the window at its designed size where the screen's free area holds
  // it; on a smaller screen (a 1024 x 768 panel) it shows maximized, which
  // its least size allows.
  void ShowOnScreen();

  void LoadConfig();
  void SaveConfig();
  void ClearTestDisplay();
  void cmdExit_Click();
  void SpecDatapath_Click();
  void cmdConn_Click();
  void SelDatLog_Click();
  void Command1_Click();
  void Serialization_Click();
  // Writes the factory parameter set into the indicator; no control calls it.
  void WriteAllParameters();
  // The digital filter window; no control opens it.
  void ShowFilterOptions();
  void cmdMemoryDump_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Runs before every box and window that waits for the operator.
  void RunQueuedPresses();
  void Form_Load();
  void Form_Unload();
  void LoadLedPictures();

  bool unloaded_ = false;  // the configuration is written and the window closes
};

}  // namespace vt
