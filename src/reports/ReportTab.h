#pragma once

#include <QObject>
#include <QTabWidget>

#include "reports/ReportPage.h"
#include "station/Program.h"
#include "station/TestPage.h"

namespace vt {

// The tabs of the main window's tab control.
namespace Tab {
constexpr int Test = 0;
constexpr int Settings = 1;
constexpr int Report = 2;
}  // namespace Tab

// The report tab's behaviour: the password gate in front of the settings tab
// and the rebuilding of the report texts on every change of tab, the average
// of the three break values and the report logo. The password prompt and
// the buttons reach the operator through the command queue.
class ReportTab : public QObject {
  Q_OBJECT
 public:
  ReportTab(Program& program, TestPage& testPage, ReportPage& reportPage, QTabWidget& tabs);

  // The settings-tab gate: a choice of the settings tab waits for the
  // password; the password was accepted and the settings tab is being shown.
  bool SettingsTabPending = false;
  bool SettingsTabGranted = false;

  // The tab control's click handling, with the tab shown before the change.
  void SSTab1_Click(int PreviousTab);
  // Selects a tab from code; when the shown tab changes, the click handling
  // runs at once, nested inside the selection.
  void SelectTab(int index);

  // Append a line to the names or the values column of the report texts.
  void add2ReportHeader(const QString& point);
  void add2ReportValue(const QString& point);

  void CalculateTensileMean_Click();
  void cmdClearResults_Click();
  void cmdSelPicture_Click();

 private:
  void TabChanged(int index);
  // Asks for the settings password; the settings tab shows when it matches.
  void AskSettingsTabPassword();
  void RebuildReportTexts();
  int AverageDecimals() const;

  Program& program_;
  TestPage& test_;
  ReportPage& report_;
  QTabWidget& tabs_;
  int shownTab_;
  bool passwordAsked_ = false;  // the password prompt is queued
};

}  // namespace vt
