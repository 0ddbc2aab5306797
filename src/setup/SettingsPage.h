#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>
#include <array>

#include "link/LinkPanel.h"
#include "setup/OutputsPanel.h"
#include "setup/ProductionPanel.h"
#include "setup/ScalePanel.h"
#include "setup/SerialLinkPanel.h"
#include "station/MachinePanel.h"

namespace vt {

// The "Ayarlar" tab: the link's and the station's panels, the report
// header, the data management buttons and the four panels of the
// indicator's parameters, each with its read and write buttons.
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
  QPushButton* Serialization;

  // The indicator's parameter panels, one page each of parameterTabs.
  QTabWidget* parameterTabs;
  ProductionPanel* productionPanel;
  ScalePanel* scalePanel;
  OutputsPanel* outputsPanel;
  SerialLinkPanel* serialLinkPanel;
  std::array<QPushButton*, 4> ReadPar{};
  std::array<QPushButton*, 4> SetPar{};
  std::array<QPushButton*, 4> SetDefaults{};  // panels 1 to 3; they do nothing
  // Opens the parameter memory window.
  QPushButton* cmdMemoryDump;

  // The five controls that service mode enables.
  std::array<QWidget*, 5> FactoryControls() const;

 private:
  void AddParameterPage(int index, QWidget* panel, const QString& title);
};

}  // namespace vt
