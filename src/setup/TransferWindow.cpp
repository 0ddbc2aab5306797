#include "setup/TransferWindow.h"

#include <QCloseEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/Controls.h"

namespace vt {
namespace {

constexpr int kAttempts = 4;
// The bar is redrawn at most this often: a fast link moves hundreds of
// addresses a second, and drawing each step would cost more than the step.
constexpr qint64 kBarRedrawMs = 40;

}  // namespace

TransferWindow::TransferWindow(const QString& name, Program& program, CommandRegister& commands,
                               ProcListArray& procList, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      program_(program),
      commands_(commands),
      ProcList(procList) {
  setObjectName(name);
  setWindowTitle(QStringLiteral("Please Wait"));
  setModal(true);
  Action = Named(new QLabel, "Action");
  Action->setFont(QFont(QStringLiteral("Arial"), 10));
  Action->setAlignment(Qt::AlignCenter);
  Progress = Named(new QProgressBar, "Progress");
  Progress->setRange(0, 100);
  Progress->setValue(0);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Action);
  layout->addWidget(Progress);
  setFixedSize(320, 90);
}

void TransferWindow::AddProcList(int EEloc) {
  if (ProcCount >= static_cast<int>(ProcList.size())) return;
  ProcList[ProcCount] = static_cast<std::int16_t>(EEloc);
  ++ProcCount;
}

bool TransferWindow::FourAttempts(const std::function<bool()>& operation) const {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (operation()) return true;
  }
  return false;
}

void TransferWindow::ResetCounts() {
  ProcDone = 0;
  ProcCount = 0;
  progress_ = 0;
  Progress->setValue(0);
  barDrawnAt_.reset();
}

void TransferWindow::StepDone() {
  ++ProcDone;
  // A list holds at most 327 addresses, so ProcDone * 100 fits 16 bits.
  progress_ = static_cast<float>(static_cast<std::int16_t>(ProcDone * 100)) / static_cast<float>(ProcCount);
  const qint64 now = program_.clock.TickMs();
  if (ProcDone == ProcCount || !barDrawnAt_ || now - *barDrawnAt_ >= kBarRedrawMs) {
    Progress->setValue(qRound(progress_));
    barDrawnAt_ = now;
  }
}

void TransferWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (started_) return;
  started_ = true;
  QTimer::singleShot(0, this, &TransferWindow::Run);
}

void TransferWindow::Run() {
  repaint();
  Transfer();
  finished_ = true;
  accept();
}

// The window closes only by itself, when its transfer has ended.
void TransferWindow::closeEvent(QCloseEvent* event) {
  if (!finished_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void TransferWindow::reject() {
  if (finished_) QDialog::reject();
}

}  // namespace vt
