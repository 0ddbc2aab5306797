#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "link/Transactions.h"
#include "setup/ParameterTransfers.h"
#include "station/Program.h"

namespace vt {

// "Filter Options": the indicator's digital filter (mode, size, span and
// ignore time, parameter group 7), read when the window opens and written
// by "OK" and "Apply".
class FilterOptions : public QDialog {
  Q_OBJECT
 public:
  FilterOptions(Program& program, ParameterTransfers& transfers, Transactions& transactions, QWidget* owner);

  // Reads the filter group and, when that succeeded, shows the window
  // modally; after a failed read only "Communication Failed" shows.
  void ShowModal();

  QLabel* Label4;
  QComboBox* FiltMode;
  QLabel* Label3;
  QComboBox* FilterSize;
  QLabel* Label6;
  QLabel* Label1;
  QLineEdit* FilterSpan;
  QLabel* LabSpanUnit;
  QLabel* Label2;
  QLineEdit* IgnoreTime;
  QLabel* Label7;
  QLabel* Fixed;
  QPushButton* CmdSetDef;
  QPushButton* cmdOK;
  QPushButton* cmdApply;
  QPushButton* cmdCancel;

  void Form_Load();
  void FiltMode_Click();
  void FiltMode_Change();
  void ApplyModeDefaults(int mode);
  void CmdSetDef_Click();
  // True only after the group was written.
  bool WriteFilterPars();
  void cmdOK_Click();
  void cmdApply_Click();
  void cmdCancel_Click();

 private:
  // False, with the message shown and the focus on `control`, to refuse an entry.
  bool Refuse(QWidget* control, const QString& message);
  bool CheckAndWrite();

  Program& program_;
  ParameterTransfers& transfers_;
  Transactions& transactions_;
};

}  // namespace vt
