#include "link/Transactions.h"

#include <array>
#include <utility>

#include "link/FrameText.h"
#include "platform/EventWait.h"
#include "settings/Messages.h"

namespace vt {

void Transactions::WaitForLine() {
  // A transaction asked for inside another's wait for the line keeps the
  // poll off the line for the outer one when it is done.
  const int waiting = std::exchange(comm_.WaitLine, -1);
  // With the poll off, nobody ends a request that timed out: it is given up
  // here instead of being waited for.
  WaitUntil([this] { return !comm_.TxnBusy || (comm_.TimedOut && !comm_.PollEnabled); });
  if (comm_.TxnBusy) {
    link_.AbandonRequest();
    comm_.TxnBusy = false;
  }
  comm_.PollEnabled = false;
  comm_.WaitLine = waiting;
}

void Transactions::TakeLine() {
  if (onLine_ != nullptr && !onLine_->result) {
    // Asked for inside the wait of a transaction whose request is on the
    // line: that request ends first, and is ended for it.
    WaitUntil([this] { return Ended(*onLine_); });
    onLine_->result = End(*onLine_);
  }
  WaitForLine();
}

void Transactions::SuspendPolling() { TakeLine(); }

bool Transactions::Ended(const OnLine& transaction) const {
  return comm_.RespDone || comm_.TimedOut || link_.RequestsSent() != transaction.request;
}

bool Transactions::End(const OnLine& transaction) {
  // Another request on the line (the port was opened anew meanwhile) means
  // this one was lost: it fails and the other is left alone.
  if (link_.RequestsSent() != transaction.request) return false;
  bool result = false;
  if (comm_.TimedOut) {
    link_.AbandonRequest();
  } else {
    result = link_.ParseResponse(transaction.values);
  }
  comm_.TxnBusy = false;
  return result;
}

bool Transactions::Run(int address, const QString& body, int expectedLen, std::span<std::int32_t> values) {
  if (!comm_.LinkOK) {
    GlobalNop();
    // A request of a transaction that waits for its answer stays on the line.
    if (onLine_ == nullptr || onLine_->result) comm_.TxnBusy = false;
    return false;
  }
  TakeLine();
  OnLine mine{values, 0, std::nullopt};
  OnLine* const enclosing = std::exchange(onLine_, &mine);
  link_.SendRequest(address, body, expectedLen);
  mine.request = link_.RequestsSent();
  WaitUntil([&] { return mine.result || Ended(mine); });
  if (!mine.result) mine.result = End(mine);
  onLine_ = enclosing;
  return *mine.result;
}

bool Transactions::ReadRegisters(int address, int start, int count, std::span<std::int32_t> values) {
  const QString body = QStringLiteral("03") + Hex4(start) + Hex4(count);
  return Run(address, body, 4 * count + 8, values);
}

bool Transactions::WriteRegisters(int address, int start, int count, std::span<const std::int32_t> values) {
  QString body = QStringLiteral("10") + Hex4(start) + Hex4(count) + Hex2(2 * count);
  for (int i = 0; i < count; ++i) body += Hex4(i < static_cast<int>(values.size()) ? values[i] : 0);
  std::array<std::int32_t, 101> scratch{};
  return Run(address, body, 14, scratch);
}

bool Transactions::WriteRegister(int address, int reg, int value) {
  std::array<std::int32_t, 101> scratch{};
  return Run(address, QStringLiteral("06") + Hex4(reg) + Hex4(value), 14, scratch);
}

}  // namespace vt
