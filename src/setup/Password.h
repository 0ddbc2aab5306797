#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "link/CommandRegister.h"
#include "station/Program.h"

namespace vt {

// The password window in front of the calibration window. It has neither a
// default nor a cancel button: Enter and Esc do nothing here.
class Password : public QDialog {
  Q_OBJECT
 public:
  Password(Program& program, CommandRegister& commands, QWidget* parent = nullptr);

  QLabel* Label5;
  QLineEdit* txtPass;
  QPushButton* cmdExit;   // "OK"
  QPushButton* Command2;  // "ÇIKIŞ"

  // The right password shows the calibration window, owned by this one;
  // either way this window closes afterwards, without a message.
  void cmdExit_Click();
  void Command2_Click();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Program& program_;
  CommandRegister& commands_;
};

}  // namespace vt
