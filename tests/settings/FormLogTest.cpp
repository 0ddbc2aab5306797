#include "settings/FormLog.h"

#include <gtest/gtest.h>

#include <QLocale>

#include "platform/ScriptedDialogs.h"

namespace vt {
namespace {

const QString kThresholdError = QStringLiteral("Treshold value should be a positive number!");
const QString kDelayError = QStringLiteral("Delay time should be a positive number!");
const QString kProgramFolder = QStringLiteral("/opt/vortest");

class FormLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // After a start with logging switched on in the configuration.
    global.LogEnabled = QStringLiteral("1");
    global.LogFile = QStringLiteral("/var/log/press.log");
  }

  std::unique_ptr<FormLog> Open() {
    return std::make_unique<FormLog>(global, queue, dialogs, kProgramFolder, [this] {
      ++saves;
      atSave = global;
    });
  }

  static void Enter(FormLog& form, const QString& threshold, const QStringList& delay) {
    form.SelTreshold->setText(threshold);
    for (int i = 0; i < 3; ++i) form.SelDelay[i]->setText(delay[i]);
  }

  Global global;
  Global atSave;  // the options as they stood when the configuration was written
  CommandQueue queue;
  ScriptedDialogs dialogs;
  int saves = 0;
};

// The controls that the switch enables and disables, found by their names.
std::vector<QWidget*> Switched(const FormLog& form) {
  std::vector<QWidget*> controls;
  for (const char* name : {"SelDatTime", "SelDatDisplay", "SelDatTare", "SelDatGross", "SelDatStat", "SelDatUnit",
                           "SelTreshold", "SelDelay(0)", "SelDelay(1)", "SelDelay(2)", "SelDatLogFile", "SelDatLog",
                           "Label3", "ButtonDef"}) {
    auto* control = form.findChild<QWidget*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    if (control) controls.push_back(control);
  }
  return controls;
}

std::array<QCheckBox*, 6> Captures(const FormLog& form) {
  return {form.SelDatTime, form.SelDatDisplay, form.SelDatTare, form.SelDatGross, form.SelDatStat, form.SelDatUnit};
}

TEST_F(FormLogTest, FirstOpeningShowsTheStoredSwitchAndFileAndEmptyOptions) {
  auto form = Open();
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Logs"));
  EXPECT_TRUE(form->SelDatLogEnab->isChecked());
  EXPECT_EQ(form->SelDatLogFile->text(), QStringLiteral("/var/log/press.log"));
  EXPECT_EQ(form->SelTreshold->text(), QString());
  for (QLineEdit* box : form->SelDelay) EXPECT_EQ(box->text(), QString());
  for (QCheckBox* box : Captures(*form)) EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
  for (QWidget* control : Switched(*form)) EXPECT_TRUE(control->isEnabled());

  form->show();
  form->Ok_Click();
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, kThresholdError);
  EXPECT_EQ(dialogs.boxes[0].title, QStringLiteral("Error in entry"));
  EXPECT_EQ(dialogs.boxes[0].style, MsgStyle::Exclamation);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(saves, 0);
  EXPECT_FALSE(global.LogThreshold.has_value());
}

TEST_F(FormLogTest, DefaultThenOkStoresTheDefaultsAndWritesTheConfiguration) {
  auto form = Open();
  form->show();
  form->ButtonDef->click();
  EXPECT_EQ(saves, 0);  // nothing is stored before Ok
  form->Ok->click();

  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), QDialog::Accepted);
  ASSERT_EQ(saves, 1);
  EXPECT_EQ(atSave.LogThreshold, 0.0);
  EXPECT_EQ(atSave.LogDelayH, 0.0);
  EXPECT_EQ(atSave.LogDelayM, 0.0);
  EXPECT_EQ(atSave.LogDelayS, 1.0);
  EXPECT_EQ((QStringList{atSave.LogTime, atSave.LogDisplay, atSave.LogTare, atSave.LogGross, atSave.LogStatus,
                         atSave.LogUnit}),
            (QStringList{"1", "1", "1", "1", "1", "0"}));
  EXPECT_EQ(atSave.LogFile, kProgramFolder + QStringLiteral("/TOLV-QZ-Record.log"));
  EXPECT_EQ(atSave.LogEnabled, QStringLiteral("1"));
}

TEST_F(FormLogTest, OnlyTheTotalDelayIsChecked) {
  auto form = Open();
  Enter(*form, QStringLiteral("5"), {"1", "-30", "0"});
  EXPECT_TRUE(form->SaveLogInfo());
  EXPECT_EQ(global.LogDelayH, 1.0);
  EXPECT_EQ(global.LogDelayM, -30.0);
  EXPECT_EQ(global.LogDelayS, 0.0);

  Enter(*form, QStringLiteral("7"), {"0", "-1", "0"});
  EXPECT_FALSE(form->SaveLogInfo());
  EXPECT_EQ(dialogs.texts(), QStringList{kDelayError});
  EXPECT_EQ(global.LogThreshold, 5.0);  // nothing of the rejected entry is stored
  EXPECT_EQ(global.LogDelayM, -30.0);
  EXPECT_EQ(saves, 1);

  // Texts without a number count 0, decimals count; a part beyond a
  // double's range is no delay.
  for (const QStringList& refused : {QStringList{"", "x", "-0.5"}, {"1e400", "0", "0"}, {"1e400", "-1e400", "0"}}) {
    Enter(*form, QStringLiteral("7"), refused);
    EXPECT_FALSE(form->SaveLogInfo()) << refused.join(' ').toStdString();
  }
  EXPECT_EQ(saves, 1);
  Enter(*form, QStringLiteral("7"), {"", "x", "0.5"});
  EXPECT_TRUE(form->SaveLogInfo());
  EXPECT_EQ(global.LogDelayS, 0.5);
}

TEST_F(FormLogTest, TheThresholdMustBeANumberNotBelowZero) {
  auto form = Open();
  for (const QString& rejected : {QStringLiteral("abc"), QString(), QStringLiteral("-1"), QStringLiteral("12abc")}) {
    SCOPED_TRACE(rejected.toStdString());
    dialogs.boxes.clear();
    Enter(*form, rejected, {"0", "-1", "0"});  // a bad delay too: the threshold is checked first
    EXPECT_FALSE(form->SaveLogInfo());
    EXPECT_EQ(dialogs.texts(), QStringList{kThresholdError});
  }
  EXPECT_EQ(saves, 0);
  // 12.5 as the user writes it: the threshold is read in the user's number format.
  const std::pair<QString, double> accepted[] = {{"0", 0}, {QLocale::system().toString(12.5), 12.5}, {" 3 ", 3}};
  for (const auto& [text, value] : accepted) {
    SCOPED_TRACE(text.toStdString());
    Enter(*form, text, {"", "", ""});
    EXPECT_TRUE(form->SaveLogInfo());
    EXPECT_EQ(global.LogThreshold, value);
  }
}

TEST_F(FormLogTest, StoredOptionsAreShownAgainAndAcceptedUnchanged) {
  global.LogEnabled = QStringLiteral("0");
  global.LogThreshold = 12.5;
  global.LogDelayH = 2;
  global.LogDelayM = 1.5;
  global.LogDelayS = -10;
  global.LogTime = global.LogTare = global.LogUnit = QStringLiteral("1");
  global.LogDisplay = global.LogGross = global.LogStatus = QStringLiteral("0");
  auto form = Open();
  EXPECT_FALSE(form->SelDatLogEnab->isChecked());
  EXPECT_EQ(form->SelTreshold->text(), QLocale::system().toString(12.5));
  EXPECT_EQ(form->SelDelay[0]->text(), QStringLiteral("2"));
  EXPECT_EQ(form->SelDelay[1]->text(), QStringLiteral("1.5"));
  EXPECT_EQ(form->SelDelay[2]->text(), QStringLiteral("-10"));
  QStringList shown;
  for (QCheckBox* box : Captures(*form)) shown << (box->isChecked() ? "1" : "0");
  EXPECT_EQ(shown, (QStringList{"1", "0", "1", "0", "0", "1"}));

  const Global before = global;
  EXPECT_TRUE(form->SaveLogInfo());
  EXPECT_EQ(global.LogThreshold, before.LogThreshold);
  EXPECT_EQ(global.LogDelayM, before.LogDelayM);
  EXPECT_EQ(global.LogEnabled, QStringLiteral("0"));
  EXPECT_EQ(global.LogUnit, QStringLiteral("1"));
  EXPECT_EQ(global.LogDisplay, QStringLiteral("0"));
}

TEST_F(FormLogTest, TheSwitchEnablesAndDisablesEverythingButOkAndCancel) {
  auto form = Open();
  form->SelDatLogEnab->click();
  EXPECT_FALSE(form->SelDatLogEnab->isChecked());
  for (QWidget* control : Switched(*form)) {
    EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
  }
  for (QWidget* control : {static_cast<QWidget*>(form->SelDatLogEnab), static_cast<QWidget*>(form->Ok),
                           static_cast<QWidget*>(form->Cancel), static_cast<QWidget*>(form->Label17)}) {
    EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
  }
  form->SelDatLogEnab->click();
  for (QWidget* control : Switched(*form)) EXPECT_TRUE(control->isEnabled());

  // An opening with logging off starts disabled.
  global.LogEnabled = QStringLiteral("0");
  auto off = Open();
  for (QWidget* control : Switched(*off)) EXPECT_FALSE(control->isEnabled());
  EXPECT_TRUE(off->SelDatLogEnab->isEnabled());
}

TEST_F(FormLogTest, BrowseTakesTheChosenFileAndIgnoresACancel) {
  auto form = Open();
  dialogs.files = {std::nullopt, QString(), QStringLiteral("/data/new.log")};
  form->SelDatLog_Click();
  form->SelDatLog_Click();
  EXPECT_EQ(form->SelDatLogFile->text(), QStringLiteral("/var/log/press.log"));
  form->SelDatLog->click();
  EXPECT_EQ(form->SelDatLogFile->text(), QStringLiteral("/data/new.log"));

  ASSERT_EQ(dialogs.fileDialogs.size(), 3u);
  const auto& shown = dialogs.fileDialogs[0];
  EXPECT_TRUE(shown.save);
  EXPECT_EQ(shown.request.filter, QStringLiteral("(Log Files)|*.log|(Text Files)|*.txt|(All Files)|*.*"));
  EXPECT_EQ(shown.request.flags, 0x20140C);
  EXPECT_TRUE(shown.request.flags & FileMustExist);
  EXPECT_EQ(global.LogFile, QStringLiteral("/var/log/press.log"));  // stored only by Ok
}

TEST_F(FormLogTest, CancelStoresNothingAndTheNextOpeningShowsTheStoredOptions) {
  auto form = Open();
  form->show();
  form->ButtonDef_Click();
  form->SelDatLogEnab->setChecked(false);
  form->Cancel->click();
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), QDialog::Rejected);
  EXPECT_EQ(saves, 0);
  EXPECT_EQ(global.LogEnabled, QStringLiteral("1"));
  EXPECT_FALSE(global.LogThreshold.has_value());

  auto again = Open();
  EXPECT_TRUE(again->SelDatLogEnab->isChecked());
  EXPECT_EQ(again->SelDatLogFile->text(), QStringLiteral("/var/log/press.log"));
  EXPECT_EQ(again->SelTreshold->text(), QString());
}

TEST_F(FormLogTest, SwitchOffAndAnyFileNameAreStoredAsTheyStand) {
  auto form = Open();
  Enter(*form, QStringLiteral("1"), {"", "", "1"});
  form->SelDatLogEnab->setChecked(false);
  form->SelDatLogFile->clear();
  EXPECT_TRUE(form->SaveLogInfo());
  EXPECT_EQ(atSave.LogEnabled, QStringLiteral("0"));
  EXPECT_EQ(atSave.LogFile, QString());
  EXPECT_EQ(atSave.LogTime, QStringLiteral("0"));
}

TEST_F(FormLogTest, ControlsCarryTheirNamesCaptionsAndTips) {
  auto form = Open();
  const std::pair<QString, QString> captions[] = {
      {"SelDatLogEnab", "Enable Data Loging"}, {"SelDatTime", "Capture Time"},
      {"SelDatDisplay", "Capture Display"},    {"SelDatTare", "Capture Tare"},
      {"SelDatGross", "Capture Gross"},        {"SelDatStat", "Capture Status"},
      {"SelDatUnit", "Include Unit"},          {"ButtonDef", "Default"},
  };
  for (const auto& [name, caption] : captions) {
    auto* button = form->findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name.toStdString();
    EXPECT_EQ(button->text(), caption);
  }
  const std::pair<QString, QString> labels[] = {{"Label3", "Log File"},
                                                {"Label17", "Treshold:"},
                                                {"Label5", "units"},
                                                {"Label1", "Delay:"},
                                                {"Label2", "hr          mn           Seconds"}};
  for (const auto& [name, caption] : labels) {
    auto* label = form->findChild<QLabel*>(name);
    ASSERT_NE(label, nullptr) << name.toStdString();
    EXPECT_EQ(label->text(), caption);
  }
  EXPECT_EQ(form->Ok->toolTip(), QStringLiteral("Apply and Exit"));
  EXPECT_EQ(form->Cancel->toolTip(), QStringLiteral("Exit without saving"));
  EXPECT_NE(form->findChild<QLineEdit*>(QStringLiteral("SelDelay(2)")), nullptr);
}

}  // namespace
}  // namespace vt
