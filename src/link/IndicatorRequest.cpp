// Sending a request and checking its answer.
#include <QDeadlineTimer>
#include <array>

#include "link/AnswerText.h"
#include "link/FrameText.h"
#include "link/IndicatorLink.h"
#include "platform/EventWait.h"

namespace vt {
namespace {

constexpr int kExceptionBit = 0x80;
constexpr int kDrainLimitMs = 2000;  // far beyond the longest request at the slowest rate
constexpr int kShortRestMs = 20;     // sent without processing window messages
constexpr int kTcpHeaderBytes = 6;
constexpr int kTcpFunctionAt = 7;
constexpr int kTcpFirstDataAt = 9;

// Stores `words` registers, high byte first, from byte `first` on into the
// caller's array; words beyond its end are dropped.
template <class ByteAt>
void StoreRegisters(std::span<std::int32_t> values, qsizetype words, qsizetype first, ByteAt byteAt) {
  for (qsizetype i = 0; i < words && i < static_cast<qsizetype>(values.size()); ++i) {
    values[i] = byteAt(first + 2 * i) * 256 + byteAt(first + 2 * i + 1);
  }
}

// Decodes a checked answer by its function code: registers for 03, nothing
// for the write functions 06 and 10h; false for any other code.
template <class ByteAt>
bool DecodeAnswer(int function, std::span<std::int32_t> values, qsizetype words, qsizetype first,
                  ByteAt byteAt) {
  switch (function) {
    case 0x03:
      StoreRegisters(values, words, first, byteAt);
      return true;
    case 0x06:
    case 0x10:
      return true;
    default:
      return false;
  }
}

}  // namespace

void IndicatorLink::SendRequest(int address, const QString& body, int expectedLen) {
  // The line counts as taken from here on, so a poll tick or a transaction
  // that runs inside the drain wait below sends nothing of its own.
  comm_.RespDone = false;
  comm_.TimedOut = false;
  comm_.TxnBusy = true;

  comm_.ExpectedLen = expectedLen;
  if (AsciiMode()) {
    comm_.TxActive = -1;
    Comm.Output(QLatin1Char(':') + AppendLRC(Hex2(address) + body) + QStringLiteral("\r\n"));
  } else {
    comm_.ExpectedLen += 2;
    const QString text = AppendCRC(Hex2(address) + body);
    std::array<std::uint8_t, kRequestBufferBytes> buffer{};
    const int count = HexToBytes(text, buffer);
    comm_.TxActive = -1;
    // A request longer than the buffer is not sent; it times out.
    if (PairCount(text) <= kRequestBufferBytes) {
      const QByteArray request(reinterpret_cast<const char*>(buffer.data()), count);
      if (TcpLink()) {
        sendToTCP(request);
      } else {
        Comm.Output(request);
      }
    }
    if (comm_.TxLampCount == 0) {
      comm_.TxLampCount = 3;
      leds_.BlinkControl(false, true, controls_.IndComTx);
    }
  }
  if (!TcpLink()) DrainSerialOutput();
  ArmRequest();
}

void IndicatorLink::DrainSerialOutput() {
  // Whatever arrives while the request goes out is thrown away, such as the
  // line echo of a two-wire bus. The answer can only follow the request's
  // last byte: the wait processes window messages while a long rest is
  // still being sent, and waits out the short rest without, so that an
  // answer coming right after the request is never taken for echo. A port
  // that stops taking bytes does not hold the program: the wait ends after
  // a bound and the request times out.
  const QDeadlineTimer deadline(kDrainLimitMs);
  bool looked = false;
  WaitUntil([&] {
    if (looked) Comm.ClearInput();
    looked = true;
    return Comm.OutputTimeMs() <= kShortRestMs || deadline.hasExpired();
  });
  Comm.WaitSent();
  Comm.ClearInput();
}

void IndicatorLink::ArmRequest() {
  comm_.TxActive = 0;
  comm_.RxBuf.clear();
  comm_.TickCount = 0;
  comm_.TimedOut = false;
  comm_.RespDone = false;
  comm_.TxnBusy = true;
}

void IndicatorLink::sendToTCP(const QByteArray& request) {
  // The request holds the address, the body and the two CRC bytes.
  if (Winsock1.State() != TcpState::Connected || request.size() < 3) return;
  ++TcpTransId;
  const qsizetype length = request.size() - 2;
  QByteArray frame;
  frame.reserve(kTcpHeaderBytes + length);
  frame.append(static_cast<char>(TcpTransId >> 8)).append(static_cast<char>(TcpTransId & 0xFF));
  frame.append('\0').append('\0');
  frame.append(static_cast<char>(length >> 8)).append(static_cast<char>(length & 0xFF));
  frame.append(request.left(length));
  tcpAnswer_.Expect(TcpTransId, static_cast<quint8>(request[0]));
  Winsock1.SendData(frame);
}

bool IndicatorLink::ParseResponse(std::span<std::int32_t> values) {
  const bool good = TcpLink() ? ParseTcpResponse(values) : ParseSerialResponse(values);
  comm_.TxnBusy = false;
  return good;
}

bool IndicatorLink::ParseSerialResponse(std::span<std::int32_t> values) {
  const bool rtu = !AsciiMode();
  if (!rtu) StripAsciiFrame(comm_.RxBuf);
  const QString& rx = comm_.RxBuf;
  const qsizetype pairs = PairCount(rx);
  if (!FrameCheckOK(rx, rtu) || pairs > kAnswerBufferBytes) {
    comm_.LinkOK = false;
    return false;
  }
  const int function = pairs > 1 ? RxByte(rx, 3) : 0;
  if ((function & kExceptionBit) != 0) {
    // An exception answer with a good check: the indicator refused the
    // request, the line itself is good.
    comm_.LinkOK = true;
    return false;
  }
  if (rx.size() < comm_.ExpectedLen) {
    comm_.LinkOK = false;
    return false;
  }
  comm_.LinkOK = true;
  // k counts address, function, byte count, data and one more byte (the
  // LRC in ASCII; in RTU the CRC's second byte is left out).
  const qsizetype k = pairs - (rtu ? 1 : 0);
  const qsizetype words = k >= 4 ? (k - 4) / 2 : 0;
  return DecodeAnswer(function, values, words, 3,
                      [&](qsizetype at) { return RxByte(rx, static_cast<int>(2 * at + 1)); });
}

bool IndicatorLink::ParseTcpResponse(std::span<std::int32_t> values) {
  comm_.LinkOK = true;
  const QByteArray& frame = comm_.TcpBuf;
  const qsizetype count = std::min<qsizetype>(comm_.TcpCount, frame.size());
  const int function = count > kTcpFunctionAt ? static_cast<quint8>(frame[kTcpFunctionAt]) : 0;
  const qsizetype words = count >= kTcpFirstDataAt ? (count - kTcpFirstDataAt) / 2 : 0;
  return DecodeAnswer(function, values, words, kTcpFirstDataAt,
                      [&](qsizetype at) { return static_cast<int>(static_cast<quint8>(frame[at])); });
}

}  // namespace vt
