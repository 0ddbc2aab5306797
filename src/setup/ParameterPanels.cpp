#include "setup/ParameterPanels.h"

#include "platform/Presses.h"
#include "settings/Messages.h"

namespace vt {
namespace {

constexpr auto kProtectionQuestion =
    "Protection key is in OFF state, only Customer Code can be updated, proceed anyway?";
constexpr auto kAddressZeroWarning =
    "Entering zero (0) as Modbus address will set the continuous output mode, the device will not be accessible by "
    "PC software unless communications reset by reverse polarity operation. This is the last setting to be done if "
    "continuous operation required. Continue processing ?";

// Polling stays off from the start of a write to its every exit.
class PollingSuspended {
 public:
  explicit PollingSuspended(Transactions& transactions) : transactions_(transactions) {
    transactions_.SuspendPolling();
  }
  ~PollingSuspended() { transactions_.ResumePolling(); }
  PollingSuspended(const PollingSuspended&) = delete;
  PollingSuspended& operator=(const PollingSuspended&) = delete;

 private:
  Transactions& transactions_;
};

}  // namespace

ParameterPanels::ParameterPanels(Program& program, SettingsPage& page, Transactions& transactions,
                                 CommandRegister& commands, ParameterTransfers& transfers, QWidget& owner)
    : program_(program),
      page_(page),
      transactions_(transactions),
      commands_(commands),
      transfers_(transfers),
      owner_(owner) {
  for (int i = 0; i < 4; ++i) {
    OnPress(program_.commandQueue, page.ReadPar[i], &QPushButton::clicked, this, [this, i] { ReadPar_Click(i); });
    OnPress(program_.commandQueue, page.SetPar[i], &QPushButton::clicked, this, [this, i] { SetPar_Click(i); });
  }
}

void ParameterPanels::RaisePanelFlags(int panel) {
  for (int flag : PanelFlags(panel)) program_.global.ParFlags[flag] = true;
}

void ParameterPanels::ReadPar_Click(int Index) {
  Communication& comm = program_.comm;
  comm.CommError = false;
  transfers_.ClearParFlags();
  RaisePanelFlags(Index);
  transfers_.ShowReadSetUp(&owner_);
  std::int32_t version = 0;
  if (Index == 0 && !comm.CommError && !commands_.RunCmd9(comm.DevAddressNumber(), version)) comm.CommError = true;
  transactions_.ResumePolling();
  if (comm.CommError) {
    // The panel keeps what it showed; the image keeps what was read.
    ShowCommFailed(program_.dialogs);
    return;
  }
  ShowPanel(Index, version);
}

void ParameterPanels::ShowPanel(int panel, int version) {
  const ParameterImage& image = program_.global.ParImage;
  switch (panel) {
    case 0: page_.productionPanel->Show(DecodeProduction(image), FirmwareText(version)); break;
    case 1: page_.scalePanel->Show(DecodeScale(image)); break;
    case 2: page_.outputsPanel->Show(DecodeOutputs(image)); break;
    default: page_.serialLinkPanel->Show(DecodeSerialLink(image)); break;
  }
}

void ParameterPanels::SetPar_Click(int Index) {
  PollingSuspended polling(transactions_);
  transfers_.ClearParFlags();
  if (!EncodePanel(Index)) return;  // nothing is sent
  RaisePanelFlags(Index);
  program_.comm.CommError = false;
  transfers_.ShowWriteSetUp(&owner_);
  if (program_.comm.CommError) ShowCommFailed(program_.dialogs);
}

bool ParameterPanels::EncodePanel(int panel) {
  ParameterImage& image = program_.global.ParImage;
  EntryCheck rejection;
  int address = 0;
  switch (panel) {
    case 0: rejection = EncodeProduction(page_.productionPanel->Values(), image); break;
    case 1: rejection = EncodeScale(page_.scalePanel->Values(), image); break;
    case 2: rejection = EncodeOutputs(page_.outputsPanel->Values(), image); break;
    default: rejection = EncodeSerialLink(page_.serialLinkPanel->Values(), image, address); break;
  }
  if (rejection) {
    Refuse(panel, *rejection);
    return false;
  }
  if (panel == 0 && !program_.global.ProtectionKeyOn &&
      !AskConfirm(program_.dialogs, QString::fromLatin1(kProtectionQuestion))) {
    return false;
  }
  if (panel == 3) {
    if (address == 0 && program_.dialogs.MsgBox(QString::fromLatin1(kAddressZeroWarning),
                                                MsgStyle::YesNo + MsgStyle::Exclamation + MsgStyle::DefaultButton2,
                                                QStringLiteral("Warning")) != MsgAnswer::Yes) {
      FocusOn(panel, QStringLiteral("SelMBid"));
      return false;
    }
    image[ParAddr::ModbusAddress] = address;
  }
  return true;
}

void ParameterPanels::Refuse(int panel, const EntryRejection& rejection) {
  ShowEntryError(program_.dialogs, rejection.message);
  if (!rejection.focus.isEmpty()) FocusOn(panel, rejection.focus);
}

void ParameterPanels::FocusOn(int panel, const QString& control) {
  if (QWidget* widget = Panel(panel)->findChild<QWidget*>(control)) widget->setFocus();
}

QWidget* ParameterPanels::Panel(int panel) const {
  switch (panel) {
    case 0: return page_.productionPanel;
    case 1: return page_.scalePanel;
    case 2: return page_.outputsPanel;
    default: return page_.serialLinkPanel;
  }
}

}  // namespace vt
