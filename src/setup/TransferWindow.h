#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "link/CommandRegister.h"
#include "station/Program.h"

namespace vt {

// The transfer list: parameter addresses, consumed from the first upward.
using ProcListArray = std::array<std::int16_t, kParImageSize>;

// A "Please Wait" window of a parameter transfer: the progress bar
// `Progress` and the label `Action`, no buttons. Shown modally, it runs its
// transfer once, right after it first appears, and then closes itself; the
// operator cannot close it meanwhile.
class TransferWindow : public QDialog {
  Q_OBJECT
 public:
  QProgressBar* Progress;
  QLabel* Action;

  // The transfer's progress in per cent, ProcDone * 100 / ProcCount, exactly
  // (the bar shows it rounded, and at most every few hundredths of a second).
  float ProgressValue() const { return progress_; }

  // Queues one address at the end of the transfer list.
  void AddProcList(int EEloc);

 protected:
  TransferWindow(const QString& name, Program& program, CommandRegister& commands, ProcListArray& procList,
                 QWidget* owner);

  // The transfer itself.
  virtual void Transfer() = 0;

  // Up to four attempts of `operation`, stopping at the first success. Once
  // a stop has overtaken the command, every attempt fails at once, and so
  // does the transfer.
  bool FourAttempts(const std::function<bool()>& operation) const;
  // Starts a transfer: nothing queued, nothing done.
  void ResetCounts();
  // One more address done: the bar moves on.
  void StepDone();

  int DeviceAddress() const { return program_.comm.DevAddressNumber(); }

  Program& program_;
  CommandRegister& commands_;
  ProcListArray& ProcList;
  std::int16_t ProcCount = 0;
  std::int16_t ProcDone = 0;

  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void Run();

  float progress_ = 0;
  std::optional<qint64> barDrawnAt_;  // clock tick of the bar's last step
  bool started_ = false;
  bool finished_ = false;
};

}  // namespace vt
