#include "link/Transactions.h"

#include <array>

#include "link/FrameText.h"
#include "platform/EventWait.h"
#include "settings/Messages.h"

namespace vt {

void Transactions::WaitForLine() {
  comm_.WaitLine = -1;
  WaitUntil([this] { return !comm_.TxnBusy; });
  comm_.PollEnabled = false;
  comm_.WaitLine = 0;
}

void Transactions::SuspendPolling() { WaitForLine(); }

bool Transactions::Run(int address, const QString& body, int expectedLen, std::span<std::int32_t> values) {
  // A transaction asked for from a handler that runs inside another one's
  // wait would wait for a line that only the outer one can free: it fails
  // at once instead of hanging the window.
  if (!comm_.LinkOK || running_) {
    GlobalNop();
    if (!running_) comm_.TxnBusy = false;
    return false;
  }
  running_ = true;
  WaitForLine();
  link_.SendRequest(address, body, expectedLen);
  WaitUntil([this] { return comm_.TimedOut || comm_.RespDone; });
  const bool result = !comm_.TimedOut && link_.ParseResponse(values);
  comm_.TxnBusy = false;
  running_ = false;
  return result;
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
