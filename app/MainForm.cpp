#include "app/MainForm.h"

#include <QCloseEvent>
#include <QPainter>
#include <QScreen>

#include "link/CommOptions.h"

#include "platform/Controls.h"
#include "platform/FileReading.h"
#include "platform/Presses.h"
#include "settings/DirSelectForm.h"
#include "settings/FormLog.h"
#include "settings/Messages.h"
#include "settings/NumberText.h"
#include "setup/Password.h"
#include "setup/WinSerialNum.h"
#include "setup/FilterOptions.h"
#include "setup/MemoryDump.h"

namespace vt {
namespace {

constexpr auto kStepValue = "0.0138888";

// Stand-ins for LED pictures that cannot be loaded: a lit and a dark lamp.
QPixmap BuiltInLed(bool lit) {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(lit ? QColor(255, 32, 32) : QColor(90, 16, 16));
  painter.drawEllipse(QPointF(16, 16), 13, 13);
  return QPixmap::fromImage(image);
}

}  // namespace

MainForm::MainForm(const QString& programFolder, Dialogs& dialogs, Clock& clock, Options options)
    : program(programFolder, dialogs, clock) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("VorTEST, Tensile Testing Software"));

  testPage = new TestPage(program);
  settingsPage = new SettingsPage;
  reportPage = new ReportPage;
  SSTab1 = Named(new QTabWidget, "SSTab1");
  SSTab1->addTab(testPage, QStringLiteral("Test"));
  SSTab1->addTab(settingsPage, QStringLiteral("Ayarlar"));
  SSTab1->addTab(reportPage, QStringLiteral("Rapor"));
  setCentralWidget(SSTab1);

  MachinePanel& machine = *settingsPage->machinePanel;
  machine.SetMachineTypeLabels({testPage->labDistanceT, testPage->labHoldValT, testPage->labKopmaIzlendi,
                                testPage->labKopmaIzlemeAktif, reportPage->labTestAvgVals});

  Timer1.setInterval(40);
  secTmr.setInterval(1000);
  link = std::make_unique<IndicatorLink>(
      program.comm, dialogs, leds,
      LinkControls{settingsPage->linkPanel->IndComTx, settingsPage->linkPanel->IndComRx, testPage->IndComRxHome,
                   testPage->IndTCPConOK, testPage->labTCPCOn, settingsPage->linkPanel->LabTracer},
      Timer1, programFolder, options.tcpPort, options.startTimers);
  transactions = std::make_unique<Transactions>(*link, program.comm, program.commandQueue);
  commands = std::make_unique<CommandRegister>(*transactions, program.comm);
  dialogs.SetBeforeShowing([this] { RunQueuedPresses(); }, [this] { return program.commandQueue.Overtaken(); });
  transfers = std::make_unique<ParameterTransfers>(program, *commands);
  parameterPanels =
      std::make_unique<ParameterPanels>(program, *settingsPage, *transactions, *commands, *transfers, *this);
  plc = std::make_unique<PlcLink>(program.comm, program.commandQueue, dialogs,
                                  PlcControls{testPage->txtDimensionH, testPage->txtPLCSpeed, machine.labPLCComm},
                                  programFolder);
  pollLink = std::make_unique<IndicatorPollLink>(*link);
  testRun = std::make_unique<TestRun>(program, *testPage, machine, *commands, *plc);
  operatorCommands = std::make_unique<OperatorCommands>(program, machine, *commands);
  testCurve = std::make_unique<TestCurve>(program, *testPage);
  pollCycle = std::make_unique<PollCycle>(program, *testPage, leds, machine, settingsPage->linkPanel->labCommTestVal,
                                          *pollLink, *testCurve);
  connect(&Timer1, &QTimer::timeout, this, [this] { pollCycle->Timer1_Timer(); });
  elapsedTime = std::make_unique<ElapsedTime>(program, *testPage, leds);
  graphSnapshot = std::make_unique<GraphSnapshot>(program, *testPage);
  connect(&secTmr, &QTimer::timeout, this, [this] { elapsedTime->secTmr_Timer(); });
  // The indicator's watchdog looks after the PLC's port too.
  connect(&link->Timer2, &QTimer::timeout, this, [this] { plc->WatchPLCPort(); });
  reportTab = std::make_unique<ReportTab>(program, *testPage, *reportPage, *SSTab1);
  recordFiles = std::make_unique<RecordFiles>(program, *testPage, *reportPage, machine, settingsPage->txtCompanyHdr,
                                              *reportTab, [this] { testCurve->UpdateTestGraph(); });
  printedReports =
      std::make_unique<PrintedReports>(program, *testPage, testCurve->Shown(), *reportPage, *recordFiles,
                                       settingsPage->txtCompanyHdr, SystemPrinterFactory(programFolder, dialogs));

  CommandQueue& queue = program.commandQueue;
  connect(testPage->cmdExit, &QPushButton::clicked, this, &MainForm::cmdExit_Click);
  OnPress(queue, settingsPage->SpecDatapath, &QPushButton::clicked, this, [this] { SpecDatapath_Click(); });
  OnPress(queue, settingsPage->linkPanel->cmdConn, &QPushButton::clicked, this, [this] { cmdConn_Click(); });
  OnPress(queue, settingsPage->SelDatLog, &QPushButton::clicked, this, [this] { SelDatLog_Click(); });
  OnPress(queue, machine.Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  OnPress(queue, settingsPage->Serialization, &QPushButton::clicked, this, [this] { Serialization_Click(); });
  OnPress(queue, settingsPage->cmdMemoryDump, &QPushButton::clicked, this, [this] { cmdMemoryDump_Click(); });

  Form_Load();
  if (options.startTimers) {
    Timer1.start();
    secTmr.start();
  }
}

MainForm::~MainForm() { program.dialogs.SetBeforeShowing(nullptr, nullptr); }

void MainForm::LoadLedPictures() {
  // A missing picture is replaced by a built-in one, so every LED can still
  // show one of two distinguishable pictures.
  if (!LoadPicture(LedOnPic, program.programFolder + QStringLiteral("/rledon.gif"))) LedOnPic = BuiltInLed(true);
  if (!LoadPicture(LedOffPic, program.programFolder + QStringLiteral("/rledoff.gif"))) LedOffPic = BuiltInLed(false);
}

void MainForm::Form_Load() {
  LoadLedPictures();
  SSTab1->setCurrentIndex(0);
  program.comm.LinkOK = false;
  program.global.ProtectionKeyOn = false;
  LoadConfig();

  testPage->txtStepVal->setVisible(false);
  testPage->txtStepVal->setText(QString::fromLatin1(kStepValue));
  testPage->labHatve->setText(testPage->txtStepVal->text() + QStringLiteral("mm"));
  testPage->labHatve->setVisible(true);

  program.global.RecordLoaded = false;
  program.graphic.GraphAutoRange = 1;
  program.graphic.GraphShowGrid = 1;
  program.graphic.NewTestPending = false;
  ClearTestDisplay();
  testPage->PlaceGraphLabels();

  Graphic& graphic = program.graphic;
  graphic.GraphSampleCount = 2;
  graphic.TestStart = program.clock.Now();
  graphic.TestStartTick = static_cast<double>(program.clock.TickMs());
  graphic.TestStop = program.clock.Now();

  link->OpenPort(program.comm.IndPort);
  program.comm.TxActive = 0;

  setWindowTitle(windowTitle() + QStringLiteral(" v") + QStringLiteral(VORTEST_VERSION));

  if (program.global.ServiceMode()) {
    for (QWidget* control : settingsPage->FactoryControls()) control->setEnabled(true);
  }
  testCurve->DrawGraphGrid();
}

void MainForm::ShowOnScreen() {
  const QSize designed = sizeHint();
  const QSize room = screen()->availableSize();
  resize(designed.boundedTo(room));
  if (designed.width() > room.width() || designed.height() > room.height()) {
    showMaximized();
  } else {
    show();
  }
}

void MainForm::ClearTestDisplay() {
  const QString hyphensPadded = QStringLiteral(" ---- ");
  const QString hyphensLead = QStringLiteral(" ----");
  testPage->labHoldVal->setText(QStringLiteral("0"));
  for (QLabel* label : {testPage->LabDispData, testPage->labEncoder, testPage->labDistance}) {
    label->setText(hyphensPadded);
  }
  for (QLabel* label : {testPage->labDisplacementSpeed, testPage->labResultTimePassSeconds, testPage->labGap,
                        testPage->labTestDistance}) {
    label->setText(hyphensLead);
  }
  testPage->labTestStart->setText(QStringLiteral("----"));
  testPage->labTestStop->setText(QStringLiteral("----"));
}

void MainForm::RunQueuedPresses() {
  // No box or window holds back a press: the commands queued behind the
  // running one go out first. The running command keeps the poll as it had
  // it, whatever they left it in.
  const bool polling = program.comm.PollEnabled;
  program.commandQueue.RunWaiting();
  program.comm.PollEnabled = polling;
}

void MainForm::cmdExit_Click() { close(); }

void MainForm::cmdConn_Click() {
  CommOptionsActions actions;
  actions.openPort = [this](int port) { return link->OpenPort(port); };
  actions.closeTcp = [this] { link->Winsock1.Close(); };
  actions.saveConfig = [this] { SaveConfig(); };
  actions.IndTCPConOK = testPage->IndTCPConOK;
  actions.labTCPCOn = testPage->labTCPCOn;
  CommOptions window(program.comm, program.commandQueue, program.dialogs, actions, this);
  program.dialogs.ShowModal(window);
}

void MainForm::SpecDatapath_Click() {
  DirSelectForm form(program.global, program.commandQueue, program.dialogs, [this] { SaveConfig(); }, this);
  program.dialogs.ShowModal(form);
}

void MainForm::SelDatLog_Click() {
  FormLog form(program.global, program.commandQueue, program.dialogs, program.programFolder,
               [this] { SaveConfig(); }, this);
  program.dialogs.ShowModal(form);
}

void MainForm::Command1_Click() {
  Password window(program, *commands, this);
  program.dialogs.ShowModal(window);
}

void MainForm::Serialization_Click() {
  WinSerialNum window(program, this);
  program.dialogs.ShowModal(window);
}

void MainForm::WriteAllParameters() {
  transactions->SuspendPolling();
  transfers->SetDefaultPars();
  transfers->ClearParFlags();
  program.comm.CommError = false;
  // Every group but the whole memory and the lone cell 83.
  program.global.ParFlags.fill(true);
  program.global.ParFlags[ParGroup::WholeMemory] = false;
  program.global.ParFlags[ParGroup::Cell83] = false;
  transfers->ShowWriteSetUp(this);
  if (program.comm.CommError) ShowCommFailed(program.dialogs);
  transactions->ResumePolling();
}

void MainForm::ShowFilterOptions() {
  FilterOptions window(program, *transfers, *transactions, this);
  window.ShowModal();
}

void MainForm::cmdMemoryDump_Click() {
  MemoryDump window(program, *transfers, *transactions, this);
  program.dialogs.ShowModal(window);
}

// Closing overtakes every command pressed before it but a stop's write, and
// takes no press after it but a stop's; it writes nothing to the machine.
// The configuration is written and the window closes once every command
// has returned.
void MainForm::closeEvent(QCloseEvent* event) {
  program.commandQueue.Close([this] {
    Form_Unload();
    unloaded_ = true;
    program.dialogs.EndShowing();
    close();
  });
  // Closed at once when nothing was on the line, else by the queued close.
  event->setAccepted(unloaded_);
}

void MainForm::Form_Unload() { SaveConfig(); }

}  // namespace vt
