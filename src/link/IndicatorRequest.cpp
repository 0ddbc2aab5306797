// Sending a request and checking its answer.
#include <algorithm>
#include <array>

#include "link/AnswerText.h"
#include "link/FrameText.h"
#include "link/IndicatorLink.h"

namespace vt {
namespace {

// A port that stops taking bytes is given up after twice the time the
// request takes at its rate, and never sooner than this.
constexpr int kDrainLimitMs = 2000;
constexpr int kTcpHeaderBytes = 6;

// The answer's bytes from the slave address on, without the check bytes.
QByteArray SerialFrame(const QString& rxBuf, bool rtu) {
  const qsizetype bytes = PairCount(rxBuf) - (rtu ? 2 : 1);
  QByteArray frame;
  for (qsizetype k = 0; k < bytes; ++k) frame.append(static_cast<char>(PairAt(rxBuf, k)));
  return frame;
}

}  // namespace

void IndicatorLink::SendRequest(int address, const QString& body, int expectedLen) {
  // The line counts as taken from here on: no poll tick sends a request of
  // its own and no waiting caller takes an earlier answer for this one.
  comm_.RespDone = false;
  comm_.TimedOut = false;
  comm_.TxnBusy = true;
  ++requestsSent_;
  awaited_ = AwaitedAnswer(address, body);

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
  if (TcpLink()) {
    ArmRequest();
    return;
  }
  // Whatever arrives while the request goes out is thrown away, such as the
  // line echo of a two-wire bus. The request is armed when its last byte
  // has left (SerialRequestSent); a port that stops taking bytes does not
  // hold the request for ever.
  Comm.NotifyWhenSent(std::max(kDrainLimitMs, 2 * Comm.OutputTimeMs()));
}

void IndicatorLink::SerialRequestSent() {
  if (comm_.TxActive == 0) return;
  Comm.ClearInput();
  ArmRequest();
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

void IndicatorLink::AbandonRequest() {
  tcpAnswer_.Reset();
  awaited_ = AwaitedAnswer();
}

bool IndicatorLink::ParseSerialResponse(std::span<std::int32_t> values) {
  const bool rtu = !AsciiMode();
  if (!rtu) StripAsciiFrame(comm_.RxBuf);
  const QString& rx = comm_.RxBuf;
  if (!FrameCheckOK(rx, rtu) || PairCount(rx) > kAnswerBufferBytes) {
    comm_.LinkOK = false;
    return false;
  }
  // A frame with a good check tells that the line carries whole frames;
  // whether it answers the request decides the result.
  const QByteArray frame = SerialFrame(rx, rtu);
  const AwaitedAnswer::Fit fit = awaited_.Check(frame);
  const bool whole = rx.size() >= comm_.ExpectedLen;
  comm_.LinkOK = whole || fit == AwaitedAnswer::Fit::Exception;
  if (fit != AwaitedAnswer::Fit::Answer || !whole) return false;
  awaited_.Decode(frame, values);
  return true;
}

bool IndicatorLink::ParseTcpResponse(std::span<std::int32_t> values) {
  // The answer came with the request's transaction identifier and unit.
  comm_.LinkOK = true;
  const QByteArray frame = comm_.TcpBuf.left(comm_.TcpCount).mid(kTcpHeaderBytes);
  if (awaited_.Check(frame) != AwaitedAnswer::Fit::Answer) return false;
  awaited_.Decode(frame, values);
  return true;
}

}  // namespace vt
