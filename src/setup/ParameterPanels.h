#pragma once

#include <QObject>
#include <QWidget>

#include "link/CommandRegister.h"
#include "link/Transactions.h"
#include "setup/ParameterEntries.h"
#include "setup/ParameterTransfers.h"
#include "setup/SettingsPage.h"
#include "station/Program.h"

namespace vt {

// The "Read Parameters" and "Write Parameters" buttons of the four parameter
// panels: a read moves the panel's groups from the indicator into the image
// and decodes them into the panel; a write checks and encodes the panel into
// the image and moves its groups to the indicator. Both transfer windows are
// owned by `owner`, the main window. The buttons reach their handlers
// through the command queue.
class ParameterPanels : public QObject {
  Q_OBJECT
 public:
  ParameterPanels(Program& program, SettingsPage& page, Transactions& transactions, CommandRegister& commands,
                  ParameterTransfers& transfers, QWidget& owner);

  void ReadPar_Click(int Index);
  void SetPar_Click(int Index);

 private:
  void RaisePanelFlags(int panel);
  void ShowPanel(int panel, int version);
  // Checks and encodes a panel, asking the panel's questions; false when an
  // entry was rejected or a question answered No.
  bool EncodePanel(int panel);
  // The rejection's message, and the focus on its control.
  void Refuse(int panel, const EntryRejection& rejection);
  void FocusOn(int panel, const QString& control);
  QWidget* Panel(int panel) const;

  Program& program_;
  SettingsPage& page_;
  Transactions& transactions_;
  CommandRegister& commands_;
  ParameterTransfers& transfers_;
  QWidget& owner_;
};

}  // namespace vt
