// The receive events: collecting the answer to the outstanding request.
#include "link/AnswerText.h"
#include "link/FrameText.h"
#include "link/IndicatorLink.h"
#include "settings/Messages.h"

namespace vt {
namespace {

// RxBuf keeps at most one character more than the longest answer that can
// be decoded (":", 201 bytes as hex, CR LF), so an over-long answer stays
// recognisable as one and is rejected by its length.
constexpr qsizetype kRxBufLimit = 2 * IndicatorLink::kAnswerBufferBytes + 4;

// Appends to RxBuf; true when it is full, which completes the answer (as a
// bad one) rather than let it run into a time-out.
bool AppendBounded(QString& rxBuf, const QString& text) {
  rxBuf += text.left(std::max<qsizetype>(0, kRxBufLimit - rxBuf.size()));
  return rxBuf.size() >= kRxBufLimit;
}

}  // namespace

void IndicatorLink::LightReceiveLamp() {
  if (comm_.RxLampCount == 0) comm_.RxLampCount = 3;
}

void IndicatorLink::Comm_OnComm() {
  if (comm_.TxActive != 0) {
    Comm.ClearInput();
    return;
  }
  const auto chunk = Comm.Input();
  if (!chunk) {
    ShowCommFailed(dialogs_);
    return;
  }
  CollectSerialInput(*chunk);
}

void IndicatorLink::CollectSerialInput(const QByteArray& chunk) {
  const qsizetype n = chunk.size();
  if (AsciiMode()) {
    // An ASCII answer is complete with the chunk that ends in LF.
    const bool full = AppendBounded(comm_.RxBuf, QString::fromLatin1(chunk));
    if ((n > 0 && chunk[n - 1] == '\n') || full) comm_.RespDone = true;
    if (n > 0) LightReceiveLamp();
    return;
  }
  // An RTU answer is complete at its expected length, or as soon as it
  // holds a whole exception answer.
  const bool full = AppendBounded(comm_.RxBuf, BytesToHex(chunk, n));
  controls_.LabTracer->setText(QStringLiteral("Len:%1\n\rExp:%2").arg(comm_.RxBuf.size()).arg(comm_.ExpectedLen));
  if (comm_.RxBuf.size() >= comm_.ExpectedLen || StartsWithRtuException(comm_.RxBuf) || full) {
    comm_.RespDone = true;
    LightReceiveLamp();
  }
}

void IndicatorLink::Winsock1_DataArrival(qint64 /*bytesTotal: everything waiting is read*/) {
  CollectTcpInput(Winsock1.GetData());
}

void IndicatorLink::CollectTcpInput(const QByteArray& bytes) {
  LightReceiveLamp();
  // Only a whole answer to the outstanding request completes it; a late
  // answer to an earlier request is dropped.
  const auto answer = tcpAnswer_.Add(bytes);
  if (!answer || !comm_.TxnBusy || comm_.RespDone) return;
  comm_.TcpBuf = *answer;
  comm_.TcpCount = static_cast<int>(answer->size());
  comm_.RespDone = true;
}

}  // namespace vt
