#include "setup/Calibration.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cstdint>
#include <limits>

#include "platform/Controls.h"
#include "platform/Presses.h"
#include "settings/Messages.h"
#include "settings/NumberText.h"

namespace vt {
namespace {

const QString kLoadOutOfRange =
    QStringLiteral("Kalibrasyon değeri -2147483648 ile 2147483647 arasında bir tam sayı olmalıdır!");

}  // namespace

Calibration::Calibration(Program& program, CommandRegister& commands, QWidget* parent)
    : QDialog(parent), program_(program), commands_(commands) {
  setObjectName(QStringLiteral("Calibration"));
  setWindowTitle(QStringLiteral("Calibration"));

  txtCalVal = Named(new QLineEdit(QStringLiteral("10000")), "txtCalVal");
  cmdSetZero = PlainButton(QStringLiteral("SIFIRLA"), QStringLiteral("cmdSetZero"));
  cmdCalibrate = PlainButton(QStringLiteral("KALIBRE ET"), QStringLiteral("cmdCalibrate"));
  cmdExit = PlainButton(QStringLiteral("ÇIKIŞ"), QStringLiteral("cmdExit"));
  labStepVal[0] = Named(new QLabel(QStringLiteral("Önemli !")), "labStepVal(0)");
  labStepVal[1] = Named(new QLabel(QStringLiteral("Yapılan kalibrasyon kalıcı olacaktır. Yanlış kullanım durumunda "
                                                  "yük kullanarak kalibrasyon gerekebilecektir.")),
                        "labStepVal(1)");
  labStepVal[1]->setWordWrap(true);

  Frame4 = Named(new QGroupBox(QStringLiteral("Kalibrasyon")), "Frame4");
  auto* frame = new QGridLayout(Frame4);
  frame->addWidget(txtCalVal, 0, 0, 1, 2);
  frame->addWidget(cmdSetZero, 1, 0);
  frame->addWidget(cmdCalibrate, 1, 1);

  auto* exitRow = new QHBoxLayout;
  exitRow->addStretch();
  exitRow->addWidget(cmdExit);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Frame4);
  layout->addWidget(labStepVal[0]);
  layout->addWidget(labStepVal[1]);
  layout->addLayout(exitRow);

  CommandQueue& queue = program_.commandQueue;
  OnPress(queue, cmdSetZero, &QPushButton::clicked, this, [this] { cmdSetZero_Click(); });
  OnPress(queue, cmdCalibrate, &QPushButton::clicked, this, [this] { cmdCalibrate_Click(); });
  OnPress(queue, cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void Calibration::cmdSetZero_Click() {
  if (!commands_.SetRegister(program_.comm.DevAddressNumber(), 0, IndCmd::Zero)) ShowCommFailed(program_.dialogs);
}

// Checks the known load and sends the span command with it.
void Calibration::cmdCalibrate_Click() {
  const double load = RoundHalfEven(Val(txtCalVal->text()));
  if (load < std::numeric_limits<std::int32_t>::min() || load > std::numeric_limits<std::int32_t>::max()) {
    ShowEntryError(program_.dialogs, kLoadOutOfRange);
    return;
  }
  const auto n = static_cast<std::int32_t>(load);
  const int address = program_.comm.DevAddressNumber();
  // The high word first, as a two's-complement number; the register keeps its
  // low 16 bits. Then the low word, then the command, which never follows a
  // load that did not arrive whole.
  const bool sent = commands_.SetRegister(address, 2, n >> 16) && commands_.SetRegister(address, 1, n) &&
                    commands_.SetRegister(address, 0, IndCmd::SpanCal);
  if (!sent) ShowCommFailed(program_.dialogs);
}

void Calibration::cmdExit_Click() { close(); }

}  // namespace vt
