#include "setup/WinSerialNum.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLocale>

#include "platform/Controls.h"
#include "platform/Presses.h"
#include "settings/NumberText.h"
#include "settings/SerialFile.h"

namespace vt {
namespace {

const QString kNotValid = QStringLiteral("The Serial Number entered is not valid!");
const QString kNotPositive = QStringLiteral("The Serial Number must be positive!");

}  // namespace

WinSerialNum::WinSerialNum(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
  setObjectName(QStringLiteral("WinSerialNum"));
  setWindowTitle(QStringLiteral("Set new value"));

  lblLabels[0] = Named(new QLabel(QStringLiteral("New value")), "lblLabels(0)");
  SerialNum = Named(new QLineEdit, "SerialNum");
  cmdOK = Named(new QPushButton(QStringLiteral("Update")), "cmdOK");
  cmdOK->setDefault(true);
  cmdCancel = Named(new QPushButton(QStringLiteral("Cancel")), "cmdCancel");

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  auto* layout = new QGridLayout(this);
  layout->addWidget(lblLabels[0], 0, 0);
  layout->addWidget(SerialNum, 0, 1);
  layout->addLayout(buttons, 1, 0, 1, 2);

  OnPress(program_.commandQueue, cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  OnPress(program_.commandQueue, cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void WinSerialNum::cmdOK_Click() {
  const QString text = SerialNum->text();
  // The entry must be a number as the operator writes numbers; its value is
  // then read as the files read it, with "." as the decimal sign.
  if (!StrictNumber(text, QLocale())) {
    program_.dialogs.MsgBox(kNotValid);
    return;
  }
  const double value = Val(text);
  if (!SerialFileHolds(value)) {
    program_.dialogs.MsgBox(kNotValid);
    return;
  }
  if (value < 0) {
    program_.dialogs.MsgBox(kNotPositive);
    return;
  }
  SaveSerial(program_.dialogs, program_.programFolder, value);
  accept();
}

// Esc closes the window the same way.
void WinSerialNum::cmdCancel_Click() { reject(); }

}  // namespace vt
