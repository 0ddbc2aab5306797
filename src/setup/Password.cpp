#include "setup/Password.h"

#include <QGridLayout>
#include <QKeyEvent>

#include "platform/Controls.h"
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

  connect(cmdExit, &QPushButton::clicked, this, &Password::cmdExit_Click);
  connect(Command2, &QPushButton::clicked, this, &Password::Command2_Click);
}

void Password::cmdExit_Click() {
  if (txtPass->text() == kSettingsPassword) {
    Calibration calibration(program_, commands_, this);
    calibration.exec();
  }
  close();
}

void Password::Command2_Click() { close(); }

void Password::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

}  // namespace vt
