#include "settings/FormLog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLocale>
#include <QStyle>
#include <QVBoxLayout>
#include <cmath>

#include "platform/Controls.h"
#include "platform/Presses.h"
#include "settings/Messages.h"
#include "settings/NumberText.h"

namespace vt {
namespace {

const QString kLogFilter = QStringLiteral("(Log Files)|*.log|(Text Files)|*.txt|(All Files)|*.*");
// Hide the read-only box, leave the current folder, only an existing file,
// long file names.
constexpr int kLogDialogFlags = 0x20140C;
static_assert(kLogDialogFlags & FileMustExist);

QString SwitchText(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

QString OptionText(const std::optional<double>& value) { return value ? PlainNumber(*value) : QString(); }

// The threshold box is checked by the strict conversion, which reads the
// user's number format: the box shows a stored threshold in that format,
// so that an unchanged window is always accepted.
QString ThresholdText(const std::optional<double>& value) {
  if (!value) return {};
  if (*value == 0) return QStringLiteral("0");
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(*value, 'g', 15);
}

QCheckBox* CheckBox(const QString& caption, const QString& name) { return Named(new QCheckBox(caption), name); }

QPushButton* PictureButton(QStyle::StandardPixmap picture, const QString& tip, const QString& name, QStyle* style) {
  auto* button = Named(new QPushButton(style->standardIcon(picture), QString()), name);
  button->setToolTip(tip);
  button->setAccessibleName(tip);
  return button;
}

}  // namespace

FormLog::FormLog(Global& global, CommandQueue& queue, Dialogs& dialogs, QString programFolder,
                 std::function<void()> saveConfig, QWidget* parent)
    : QDialog(parent),
      global_(global),
      dialogs_(dialogs),
      programFolder_(std::move(programFolder)),
      saveConfig_(std::move(saveConfig)) {
  setObjectName(QStringLiteral("FormLog"));
  setWindowTitle(QStringLiteral("Logs"));

  SelDatLogEnab = CheckBox(QStringLiteral("Enable Data Loging"), QStringLiteral("SelDatLogEnab"));
  Label3 = Named(new QLabel(QStringLiteral("Log File")), "Label3");
  SelDatLogFile = Named(new QLineEdit, "SelDatLogFile");
  SelDatLog = Named(new QToolButton, "SelDatLog");
  SelDatLog->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  SelDatLog->setText(QStringLiteral("..."));
  Label17 = Named(new QLabel(QStringLiteral("Treshold:")), "Label17");
  SelTreshold = Named(new QLineEdit, "SelTreshold");
  Label5 = Named(new QLabel(QStringLiteral("units")), "Label5");
  Label1 = Named(new QLabel(QStringLiteral("Delay:")), "Label1");
  for (int i = 0; i < 3; ++i) {
    SelDelay[i] = Named(new QLineEdit, QStringLiteral("SelDelay(%1)").arg(i));
    SelDelay[i]->setMaximumWidth(60);
  }
  Label2 = Named(new QLabel(QStringLiteral("hr          mn           Seconds")), "Label2");
  SelDatTime = CheckBox(QStringLiteral("Capture Time"), QStringLiteral("SelDatTime"));
  SelDatDisplay = CheckBox(QStringLiteral("Capture Display"), QStringLiteral("SelDatDisplay"));
  SelDatTare = CheckBox(QStringLiteral("Capture Tare"), QStringLiteral("SelDatTare"));
  SelDatGross = CheckBox(QStringLiteral("Capture Gross"), QStringLiteral("SelDatGross"));
  SelDatStat = CheckBox(QStringLiteral("Capture Status"), QStringLiteral("SelDatStat"));
  SelDatUnit = CheckBox(QStringLiteral("Include Unit"), QStringLiteral("SelDatUnit"));
  ButtonDef = Named(new QPushButton(QStringLiteral("Default")), "ButtonDef");
  Ok = PictureButton(QStyle::SP_DialogApplyButton, QStringLiteral("Apply and Exit"), QStringLiteral("Ok"), style());
  Cancel = PictureButton(QStyle::SP_DialogCancelButton, QStringLiteral("Exit without saving"),
                         QStringLiteral("Cancel"), style());

  auto* grid = new QGridLayout;
  grid->addWidget(SelDatLogEnab, 0, 0, 1, 3);
  grid->addWidget(Label3, 1, 0);
  grid->addWidget(SelDatLogFile, 1, 1);
  grid->addWidget(SelDatLog, 1, 2);
  grid->addWidget(Label17, 2, 0);
  auto* thresholdRow = new QHBoxLayout;
  thresholdRow->addWidget(SelTreshold);
  thresholdRow->addWidget(Label5);
  thresholdRow->addStretch();
  grid->addLayout(thresholdRow, 2, 1);
  grid->addWidget(Label1, 3, 0);
  auto* delayRow = new QHBoxLayout;
  for (QLineEdit* box : SelDelay) delayRow->addWidget(box);
  delayRow->addStretch();
  grid->addLayout(delayRow, 3, 1);
  grid->addWidget(Label2, 4, 1);
  const auto captures = CaptureBoxes();
  for (int i = 0; i < static_cast<int>(captures.size()); ++i) grid->addWidget(captures[i], 5 + i / 2, i % 2);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ButtonDef);
  buttons->addStretch();
  buttons->addWidget(Ok);
  buttons->addWidget(Cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  connect(SelDatLogEnab, &QCheckBox::toggled, this, &FormLog::SelDatLogEnab_Click);
  OnPress(queue, ButtonDef, &QPushButton::clicked, this, [this] { ButtonDef_Click(); });
  OnPress(queue, SelDatLog, &QToolButton::clicked, this, [this] { SelDatLog_Click(); });
  OnPress(queue, Ok, &QPushButton::clicked, this, [this] { Ok_Click(); });
  OnPress(queue, Cancel, &QPushButton::clicked, this, [this] { Cancel_Click(); });

  Form_Load();
}

std::array<QCheckBox*, 6> FormLog::CaptureBoxes() const {
  return {SelDatTime, SelDatDisplay, SelDatTare, SelDatGross, SelDatStat, SelDatUnit};
}

std::array<QString*, 6> FormLog::CaptureOptions() {
  return {&global_.LogTime,  &global_.LogDisplay, &global_.LogTare,
          &global_.LogGross, &global_.LogStatus,  &global_.LogUnit};
}

std::array<QWidget*, 14> FormLog::SwitchedControls() const {
  return {SelDatTime,  SelDatDisplay, SelDatTare,  SelDatGross,   SelDatStat, SelDatUnit, SelTreshold,
          SelDelay[0], SelDelay[1],   SelDelay[2], SelDatLogFile, SelDatLog,  Label3,     ButtonDef};
}

void FormLog::Form_Load() {
  GetLogInfo();
  SelDatLogEnab_Click();
}

bool FormLog::GetLogInfo() {
  SelDatLogEnab->setChecked(global_.LogEnabled == QStringLiteral("1"));
  SelDatLogFile->setText(global_.LogFile);
  SelTreshold->setText(ThresholdText(global_.LogThreshold));
  SelDelay[0]->setText(OptionText(global_.LogDelayH));
  SelDelay[1]->setText(OptionText(global_.LogDelayM));
  SelDelay[2]->setText(OptionText(global_.LogDelayS));
  const auto boxes = CaptureBoxes();
  const auto options = CaptureOptions();
  for (size_t i = 0; i < boxes.size(); ++i) boxes[i]->setChecked(*options[i] == QStringLiteral("1"));
  return true;
}

void FormLog::SelDatLogEnab_Click() {
  const bool on = SelDatLogEnab->isChecked();
  for (QWidget* control : SwitchedControls()) control->setEnabled(on);
}

void FormLog::ButtonDef_Click() {
  SelTreshold->setText(QStringLiteral("0"));
  SelDelay[0]->setText(QStringLiteral("0"));
  SelDelay[1]->setText(QStringLiteral("0"));
  SelDelay[2]->setText(QStringLiteral("1"));
  for (QCheckBox* box : CaptureBoxes()) box->setChecked(box != SelDatUnit);
  SelDatLogFile->setText(programFolder_ + QStringLiteral("/TOLV-QZ-Record.log"));
}

void FormLog::SelDatLog_Click() {
  FileDialogRequest request;
  request.filter = kLogFilter;
  request.flags = kLogDialogFlags;
  const std::optional<QString> chosen = dialogs_.ShowSave(request);
  if (chosen && !chosen->isEmpty()) SelDatLogFile->setText(*chosen);
}

bool FormLog::SaveLogInfo() {
  const std::optional<double> threshold = StrictNumber(SelTreshold->text(), QLocale());
  if (!threshold || *threshold < 0) {
    ShowEntryError(dialogs_, QStringLiteral("Treshold value should be a positive number!"));
    return false;
  }
  const double hours = Val(SelDelay[0]->text());
  const double minutes = Val(SelDelay[1]->text());
  const double seconds = Val(SelDelay[2]->text());
  // A part beyond a double's range makes no delay at all.
  const double delay = hours * 3600 + minutes * 60 + seconds;
  if (!std::isfinite(delay) || delay < 0) {
    ShowEntryError(dialogs_, QStringLiteral("Delay time should be a positive number!"));
    return false;
  }
  global_.LogDelayH = hours;
  global_.LogDelayM = minutes;
  global_.LogDelayS = seconds;
  global_.LogThreshold = threshold;
  global_.LogEnabled = SwitchText(SelDatLogEnab->isChecked());
  global_.LogFile = SelDatLogFile->text();
  const auto boxes = CaptureBoxes();
  const auto options = CaptureOptions();
  for (size_t i = 0; i < boxes.size(); ++i) *options[i] = SwitchText(boxes[i]->isChecked());
  if (saveConfig_) saveConfig_();
  return true;
}

void FormLog::Ok_Click() {
  if (SaveLogInfo()) accept();
}

void FormLog::Cancel_Click() { reject(); }

}  // namespace vt
