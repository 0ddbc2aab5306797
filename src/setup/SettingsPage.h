#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "link/LinkPanel.h"
#include "station/MachinePanel.h"

namespace vt {

// The "Ayarlar" tab: the link's and the station's panels, the report
// header, the data management buttons and the production panel.
class SettingsPage : public QWidget {
  Q_OBJECT
 public:
  explicit SettingsPage(QWidget* parent = nullptr);

  LinkPanel* linkPanel;
  MachinePanel* machinePanel;

  std::array<QLineEdit*, 2> txtCompanyHdr;

  // Frame "Q/A data management".
  QPushButton* SpecDatapath;
  QPushButton* SelDatLog;
  QPushButton* CommDefAll;

  // Production panel; the date lists and the write button are enabled only
  // in service mode.
  QComboBox* PDDay;
  QComboBox* PDMon;
  QComboBox* PDYear;
  std::array<QPushButton*, 4> SetPar{};
  // Opens the parameter memory window.
  QPushButton* cmdMemoryDump;

  // The five controls that service mode enables.
  std::array<QWidget*, 5> FactoryControls() const;
};

}  // namespace vt
