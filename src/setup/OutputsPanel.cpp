#include "setup/OutputsPanel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>
#include <QLabel>

#include "setup/ParameterLists.h"

namespace vt {

OutputsPanel::OutputsPanel(QWidget* parent) : QWidget(parent) {
  SetPoint1 = ParameterBox(QStringLiteral("SetPoint1"));
  SetPoint2 = ParameterBox(QStringLiteral("SetPoint2"));
  Relay1Fn = ParameterList(QStringLiteral("Relay1Fn"), ParList::RelayAction);
  Relay2Fn = ParameterList(QStringLiteral("Relay2Fn"), ParList::RelayAction);
  SP1gross = ParameterList(QStringLiteral("SP1gross"), ParList::SetPointBase);
  SP2gross = ParameterList(QStringLiteral("SP2gross"), ParList::SetPointBase);
  RLDelay = ParameterBox(QStringLiteral("RLDelay"));
  AnaFrom = ParameterBox(QStringLiteral("AnaFrom"));
  AnaTo = ParameterBox(QStringLiteral("AnaTo"));
  Gross420 = ParameterList(QStringLiteral("Gross420"), ParList::AnalogBase);
  AnaMax = ParameterBox(QStringLiteral("AnaMax"));

  auto* relays = new QGroupBox(QStringLiteral("Relay outputs"));
  auto* relayGrid = new QGridLayout(relays);
  relayGrid->addWidget(new QLabel(QStringLiteral("Units")), 0, 1);
  relayGrid->addWidget(new QLabel(QStringLiteral("Relay 1 on:")), 1, 0);
  relayGrid->addWidget(SetPoint1, 1, 1);
  relayGrid->addWidget(Relay1Fn, 1, 2);
  relayGrid->addWidget(SP1gross, 1, 3);
  relayGrid->addWidget(new QLabel(QStringLiteral("Relay 2 on:")), 2, 0);
  relayGrid->addWidget(SetPoint2, 2, 1);
  relayGrid->addWidget(Relay2Fn, 2, 2);
  relayGrid->addWidget(SP2gross, 2, 3);
  relayGrid->addWidget(new QLabel(QStringLiteral("Delay to energize:")), 3, 0);
  relayGrid->addWidget(RLDelay, 3, 1);
  relayGrid->addWidget(new QLabel(QStringLiteral("Seconds")), 3, 2);
  relayGrid->setColumnStretch(4, 1);

  auto* analog = new QGroupBox(QStringLiteral("Analog Output"));
  auto* analogGrid = new QGridLayout(analog);
  analogGrid->addWidget(new QLabel(QStringLiteral("Output:")), 0, 0);
  analogGrid->addWidget(AnaFrom, 0, 1);
  analogGrid->addWidget(AnaTo, 0, 2);
  analogGrid->addWidget(new QLabel(QStringLiteral("Base:")), 1, 0);
  analogGrid->addWidget(Gross420, 1, 1, 1, 2);
  analogGrid->addWidget(new QLabel(QStringLiteral("Maximum range:")), 2, 0);
  analogGrid->addWidget(AnaMax, 2, 1);
  analogGrid->addWidget(new QLabel(QStringLiteral("Units")), 2, 2);
  analogGrid->setColumnStretch(3, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(relays);
  layout->addWidget(analog);
}

void OutputsPanel::Show(const OutputsValues& v) {
  read_ = v;
  SetPoint1->setText(v.setPoint1.text);
  SetPoint2->setText(v.setPoint2.text);
  SP1gross->setCurrentIndex(v.setPoint1Base);
  SP2gross->setCurrentIndex(v.setPoint2Base);
  Relay1Fn->setCurrentIndex(v.relay1Action);
  Relay2Fn->setCurrentIndex(v.relay2Action);
  RLDelay->setText(v.relayDelay);
  Gross420->setCurrentIndex(v.analogBase);
  AnaFrom->setText(v.analogFrom.text);
  AnaTo->setText(v.analogTo.text);
  AnaMax->setText(v.analogMax.text);
}

OutputsValues OutputsPanel::Values() const {
  OutputsValues v;
  v.setPoint1 = StillShown(SetPoint1->text(), read_.setPoint1);
  v.setPoint2 = StillShown(SetPoint2->text(), read_.setPoint2);
  v.setPoint1Base = SP1gross->currentIndex();
  v.setPoint2Base = SP2gross->currentIndex();
  v.relay1Action = Relay1Fn->currentIndex();
  v.relay2Action = Relay2Fn->currentIndex();
  v.relayDelay = RLDelay->text();
  v.analogBase = Gross420->currentIndex();
  v.analogFrom = StillShown(AnaFrom->text(), read_.analogFrom);
  v.analogTo = StillShown(AnaTo->text(), read_.analogTo);
  v.analogMax = StillShown(AnaMax->text(), read_.analogMax);
  return v;
}

}  // namespace vt
