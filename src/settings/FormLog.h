#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <array>
#include <functional>

#include "platform/CommandQueue.h"
#include "platform/Dialogs.h"
#include "settings/Global.h"

namespace vt {

// The data-logging options window. The options live in Global for the run;
// the log file name and the switch are also written to the configuration
// through saveConfig.
class FormLog : public QDialog {
  Q_OBJECT
 public:
  FormLog(Global& global, CommandQueue& queue, Dialogs& dialogs, QString programFolder,
          std::function<void()> saveConfig, QWidget* parent = nullptr);

  QCheckBox* SelDatLogEnab;
  QLabel* Label3;
  QLineEdit* SelDatLogFile;
  QToolButton* SelDatLog;
  QLabel* Label17;
  QLineEdit* SelTreshold;
  QLabel* Label5;
  QLabel* Label1;
  std::array<QLineEdit*, 3> SelDelay{};  // hours, minutes, seconds
  QLabel* Label2;
  QCheckBox* SelDatTime;
  QCheckBox* SelDatDisplay;
  QCheckBox* SelDatTare;
  QCheckBox* SelDatGross;
  QCheckBox* SelDatStat;
  QCheckBox* SelDatUnit;
  QPushButton* ButtonDef;
  QPushButton* Ok;
  QPushButton* Cancel;

  // Fills the controls from the options; true.
  bool GetLogInfo();
  // Checks the entries and stores the options, then writes the
  // configuration; false, with nothing stored, after a rejected entry.
  bool SaveLogInfo();

  void SelDatLogEnab_Click();
  void ButtonDef_Click();
  void SelDatLog_Click();
  void Ok_Click();
  void Cancel_Click();

 private:
  void Form_Load();
  // The controls that follow the switch, in the order they are switched.
  std::array<QWidget*, 14> SwitchedControls() const;
  std::array<QCheckBox*, 6> CaptureBoxes() const;
  std::array<QString*, 6> CaptureOptions();

  Global& global_;
  Dialogs& dialogs_;
  QString programFolder_;
  std::function<void()> saveConfig_;
};

}  // namespace vt
