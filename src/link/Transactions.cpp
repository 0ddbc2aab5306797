#include "link/Transactions.h"

#include <array>

#include "link/FrameText.h"
#include "platform/EventWait.h"
#include "settings/Messages.h"

namespace vt {

void Transactions::WaitForLine() {
  comm_.WaitLine = -1;
  // With the poll off, nobody ends a request that timed out: it is given up
  // here instead of being waited for.
  WaitUntil([this] { return !comm_.TxnBusy || (comm_.TimedOut && !comm_.PollEnabled); });
  if (comm_.TxnBusy) {
    link_.AbandonRequest();
    comm_.TxnBusy = false;
  }
  comm_.PollEnabled = false;
  comm_.WaitLine = 0;
}

void Transactions::SuspendPolling() {
  if (queue_.LineTaken()) return;  // inside a transaction, the poll is off already
  const CommandQueue::OnLine onLine(queue_);
  WaitForLine();
}

bool Transactions::End(quint64 request, std::span<std::int32_t> values) {
  // Another request on the line (the port was opened anew meanwhile) means
  // this one was lost: it fails and the other is left alone.
  if (link_.RequestsSent() != request) return false;
  bool result = false;
  if (comm_.TimedOut) {
    link_.AbandonRequest();
  } else {
    result = link_.ParseResponse(values);
  }
  comm_.TxnBusy = false;
  return result;
}

bool Transactions::Run(int address, const QString& body, int expectedLen, std::span<std::int32_t> values) {
  if (queue_.LineTaken()) return false;
  if (!comm_.LinkOK) {
    GlobalNop();
    // A request still going out keeps the line: clearing the mark would let
    // the next tick send another request into it.
    if (comm_.TxActive == 0) comm_.TxnBusy = false;
    return false;
  }
  const CommandQueue::OnLine onLine(queue_);
  WaitForLine();
  // Nothing of a command that a stop has overtaken follows the stop, also
  // when the stop was pressed while the poll held the line.
  if (queue_.Overtaken()) return false;
  link_.SendRequest(address, body, expectedLen);
  const quint64 request = link_.RequestsSent();
  WaitUntil([&] { return comm_.RespDone || comm_.TimedOut || link_.RequestsSent() != request; });
  return End(request, values);
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
