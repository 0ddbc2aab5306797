#include "setup/FilterOptions.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cmath>

#include "platform/Controls.h"
#include "platform/Presses.h"
#include "settings/Formats.h"
#include "settings/Messages.h"
#include "settings/NumberText.h"

namespace vt {
namespace {

constexpr int kModeCell = 206;
constexpr int kSizeCell = 5;
constexpr int kSpanCell = 201;  // 201 to 203, low byte first
constexpr int kIgnoreTimeCell = 7;

constexpr int kCustomMode = 0;
constexpr int kFastMode = 3;
constexpr int kMediumMode = 2;
constexpr int kLastMode = 3;
constexpr int kLastSize = 6;
constexpr int kNoSize = 7;  // "---"
constexpr double kSpanEntryLimit = 8000000;
constexpr double kSpanLimit = 8388607;  // 24 bits
constexpr int kIgnoreTimeLimit = 255;   // tenths of a second in one byte

// The presets of the modes 1 (slow), 2 (medium) and 3 (fast): size index,
// span and ignore time. Any other mode but custom takes the slow one.
struct ModePreset {
  int size;
  double span;
  const char* ignoreTime;
};
constexpr ModePreset kModePresets[] = {{6, 250, "1.5"}, {4, 250, "0.5"}, {2, 250, "0"}};

double ParamScale() { return std::pow(10.0, Global::ParamDP); }

}  // namespace

FilterOptions::FilterOptions(Program& program, ParameterTransfers& transfers, Transactions& transactions,
                             QWidget* owner)
    : QDialog(owner), program_(program), transfers_(transfers), transactions_(transactions) {
  setObjectName(QStringLiteral("FilterOptions"));
  setWindowTitle(QStringLiteral("Filter Options"));

  Label4 = Named(new QLabel(QStringLiteral("Filter Mode")), "Label4");
  FiltMode = Named(new QComboBox, "FiltMode");
  FiltMode->addItems({"(0) Custom", "(1) Slow", "(2) Medium", "(3) Fast", "---"});
  Label3 = Named(new QLabel(QStringLiteral("Filter Size")), "Label3");
  FilterSize = Named(new QComboBox, "FilterSize");
  FilterSize->addItems({"(0) 1", "(1) 2", "(2) 4", "(3) 8", "(4) 16", "(5) 32", "(6) 64", "---"});
  Label6 = Named(new QLabel(QStringLiteral("measurements")), "Label6");
  Label1 = Named(new QLabel(QStringLiteral("Filter Span")), "Label1");
  FilterSpan = Named(new QLineEdit, "FilterSpan");
  LabSpanUnit = Named(new QLabel, "LabSpanUnit");
  Label2 = Named(new QLabel(QStringLiteral("Ignore Time")), "Label2");
  IgnoreTime = Named(new QLineEdit, "IgnoreTime");
  Label7 = Named(new QLabel(QStringLiteral("seconds")), "Label7");
  Fixed = Named(new QLabel, "Fixed");
  Fixed->setWordWrap(true);

  CmdSetDef = Named(new QPushButton(QStringLiteral("Set Defaults")), "CmdSetDef");
  cmdOK = Named(new QPushButton(QStringLiteral("OK")), "cmdOK");
  cmdOK->setToolTip(QStringLiteral("Save modifications and return to display"));
  cmdApply = Named(new QPushButton(QStringLiteral("Apply")), "cmdApply");
  cmdApply->setToolTip(QStringLiteral("Save and update modifications; remain in this window"));
  cmdCancel = Named(new QPushButton(QStringLiteral("Cancel")), "cmdCancel");
  cmdCancel->setToolTip(QStringLiteral("Discard modifications and return to display without any update"));
  cmdOK->setEnabled(false);
  cmdApply->setEnabled(false);
  for (QPushButton* button : {CmdSetDef, cmdOK, cmdApply, cmdCancel}) button->setAutoDefault(false);

  auto* grid = new QGridLayout;
  grid->addWidget(Label4, 0, 0);
  grid->addWidget(FiltMode, 0, 1);
  grid->addWidget(Label3, 1, 0);
  grid->addWidget(FilterSize, 1, 1);
  grid->addWidget(Label6, 1, 2);
  grid->addWidget(Label1, 2, 0);
  grid->addWidget(FilterSpan, 2, 1);
  grid->addWidget(LabSpanUnit, 2, 2);
  grid->addWidget(Label2, 3, 0);
  grid->addWidget(IgnoreTime, 3, 1);
  grid->addWidget(Label7, 3, 2);
  grid->addWidget(Fixed, 4, 0, 1, 3);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {CmdSetDef, cmdOK, cmdApply, cmdCancel}) buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addStretch();
  layout->addLayout(buttons);

  connect(FiltMode, &QComboBox::activated, this, [this] { FiltMode_Click(); });
  CommandQueue& queue = program_.commandQueue;
  OnPress(queue, CmdSetDef, &QPushButton::clicked, this, [this] { CmdSetDef_Click(); });
  OnPress(queue, cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  OnPress(queue, cmdApply, &QPushButton::clicked, this, [this] { cmdApply_Click(); });
  OnPress(queue, cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void FilterOptions::ShowModal() {
  Form_Load();
  if (program_.comm.CommError) return;
  LabSpanUnit->setText(UnitName(program_.global.SpanUnit));
  program_.dialogs.ShowModal(*this);
}

void FilterOptions::Form_Load() {
  program_.comm.CommError = false;
  transfers_.ClearParFlags();
  program_.global.ParFlags[ParGroup::Filter] = true;
  transfers_.ShowReadSetUp(this);
  if (!program_.comm.CommError) {
    const auto& image = program_.global.ParImage;
    const int mode = image[kModeCell];
    FiltMode->setCurrentIndex(mode >= 0 && mode <= kLastMode ? mode : kFastMode);
    FiltMode_Click();
    const int size = image[kSizeCell];
    FilterSize->setCurrentIndex(size >= 0 && size <= kLastSize ? size : kNoSize);
    const double span = image[kSpanCell + 2] * 65536.0 + image[kSpanCell + 1] * 256.0 + image[kSpanCell];
    FilterSpan->setText(PlainNumber(span / ParamScale()));
    IgnoreTime->setText(FormatNumber(image[kIgnoreTimeCell] / 10.0, QStringLiteral("0.0")));
    cmdOK->setEnabled(true);
    cmdApply->setEnabled(true);
  } else {
    ShowCommFailed(program_.dialogs);
  }
  transactions_.ResumePolling();
}

void FilterOptions::FiltMode_Click() { FiltMode_Change(); }

void FilterOptions::FiltMode_Change() {
  const bool custom = FiltMode->currentIndex() == kCustomMode;
  for (QWidget* control : std::initializer_list<QWidget*>{FilterSize, FilterSpan, IgnoreTime, Label1, Label2, Label3,
                                                          Label6, Label7, LabSpanUnit}) {
    control->setVisible(custom);
  }
  if (!custom) ApplyModeDefaults(FiltMode->currentIndex());
  Fixed->clear();
  Fixed->setVisible(!custom);
}

void FilterOptions::ApplyModeDefaults(int mode) {
  if (mode == kCustomMode) return;
  const ModePreset& preset = mode >= 1 && mode <= kLastMode ? kModePresets[mode - 1] : kModePresets[0];
  FilterSize->setCurrentIndex(preset.size);
  FilterSpan->setText(PlainNumber(preset.span / ParamScale()));
  IgnoreTime->setText(QString::fromLatin1(preset.ignoreTime));
}

void FilterOptions::CmdSetDef_Click() {
  FiltMode->setCurrentIndex(kMediumMode);
  FiltMode_Click();
}

bool FilterOptions::Refuse(QWidget* control, const QString& message) {
  ShowEntryError(program_.dialogs, message);
  control->setFocus();
  return false;
}

bool FilterOptions::WriteFilterPars() {
  transactions_.SuspendPolling();
  const bool written = CheckAndWrite();
  transactions_.ResumePolling();
  return written;
}

bool FilterOptions::CheckAndWrite() {
  const int mode = FiltMode->currentIndex();
  if (mode < 0 || mode > kLastMode) return Refuse(FiltMode, QStringLiteral("Filter Mode must be selected properly!"));
  const int size = FilterSize->currentIndex();
  if (size < 0 || size > kLastSize) return Refuse(FilterSize, QStringLiteral("Filter Size must be selected properly!"));
  const double typed = Val(FilterSpan->text());
  if (typed < 0 || typed > kSpanEntryLimit) {
    return Refuse(FilterSpan, QStringLiteral("Filter Span must be entered properly!"));
  }

  auto& image = program_.global.ParImage;
  image[kModeCell] = mode;
  image[kSizeCell] = size;
  const double span = Val(Comma2Dot(FilterSpan->text())) * ParamScale();
  if (span < 0) return Refuse(FilterSpan, QStringLiteral("Filter Span should be a positive number!"));
  if (span > kSpanLimit) return Refuse(FilterSpan, QStringLiteral("Filter Span is too large!"));
  const double tenths = RoundHalfEven(Val(Comma2Dot(IgnoreTime->text())) * 10);
  if (tenths < 0 || tenths > kIgnoreTimeLimit) {
    return Refuse(IgnoreTime, QStringLiteral("Ignore Time must be entered properly!"));
  }
  Dbl2Bytes(span, image[kSpanCell], image[kSpanCell + 1], image[kSpanCell + 2]);
  image[kIgnoreTimeCell] = static_cast<std::int32_t>(tenths);

  program_.comm.CommError = false;
  transfers_.ClearParFlags();
  program_.global.ParFlags[ParGroup::Filter] = true;
  transfers_.ShowWriteSetUp(this);
  if (program_.comm.CommError) {
    ShowCommFailed(program_.dialogs);
    return false;
  }
  return true;
}

void FilterOptions::cmdOK_Click() {
  if (WriteFilterPars()) accept();
}

void FilterOptions::cmdApply_Click() { WriteFilterPars(); }

void FilterOptions::cmdCancel_Click() { reject(); }

}  // namespace vt
