#include "setup/Password.h"

#include <QGridLayout>
#include <QKeyEvent>

#include "platform/Controls.h"
#include "platform/Presses.h"
#include "settings/Messages.h"
#include "setup/Calibration.h"

namespace vt {

Password::Password(Program& program, CommandRegister& commands, QWidget* parent)
    : QDialog(parent), program_(program), commands_(commands) {
  setObjectName(QStringLiteral("Password"));
  setWindowTitle(QStringLiteral("Kalibrasyon Yetki Şifresi"));

  Label5 = Named(new QLabel(QStringLiteral("Şifreyi Giriniz")), "Label5");
  txtPass = Named(new QLineEdit, "txtPass");
  txtPass->setEchoMode(QLineEdit::Password);
  cmdExit = PlainButton(QStringLiteral("OK"), QStringLiteral("cmdExit"));
  Command2 = PlainButton(QStringLiteral("ÇIKIŞ"), QStringLiteral("Command2"));

  auto* layout = new QGridLayout(this);
  layout->addWidget(Label5, 0, 0, 1, 2);
  layout->addWidget(txtPass, 1, 0, 1, 2);
  layout->addWidget(cmdExit, 2, 0);
  layout->addWidget(Command2, 2, 1);

  OnPress(program_.commandQueue, cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
  OnPress(program_.commandQueue, Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void Password::cmdExit_Click() {
  if (txtPass->text() == kSettingsPassword) {
    Calibration calibration(program_, commands_, this);
    program_.dialogs.ShowModal(calibration);
  }
  close();
}

void Password::Command2_Click() { close(); }

void Password::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

}  // namespace vt
