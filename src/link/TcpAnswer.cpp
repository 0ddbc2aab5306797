#include "link/TcpAnswer.h"

namespace vt {
namespace {

int Word(const QByteArray& bytes, int at) {
  return static_cast<quint8>(bytes[at]) * 256 + static_cast<quint8>(bytes[at + 1]);
}

}  // namespace

void TcpAnswer::Expect(quint16 transactionId, quint8 unit) {
  pending_.clear();
  awaited_ = Awaited{transactionId, unit};
}

void TcpAnswer::Reset() {
  pending_.clear();
  awaited_.reset();
}

bool TcpAnswer::IsAwaited(const QByteArray& frame) const {
  return awaited_ && Word(frame, 0) == awaited_->transactionId && Word(frame, 2) == 0 &&
         static_cast<quint8>(frame[kHeaderBytes]) == awaited_->unit;
}

std::optional<QByteArray> TcpAnswer::Add(const QByteArray& bytes) {
  pending_ += bytes;
  std::optional<QByteArray> answer;
  qsizetype at = 0;
  while (pending_.size() - at >= kHeaderBytes) {
    const int length = Word(pending_, at + 4);
    if (length < 2 || length > kMaxLengthField) {
      // No Modbus answer has such a header: the stream cannot be followed
      // any further, so everything waiting is dropped.
      at = pending_.size();
      break;
    }
    const qsizetype frameBytes = kHeaderBytes + length;
    if (pending_.size() - at < frameBytes) break;
    const QByteArray frame = pending_.mid(at, frameBytes);
    at += frameBytes;
    if (!answer && IsAwaited(frame)) {
      answer = frame;
      awaited_.reset();
    }
  }
  pending_.remove(0, at);
  return answer;
}

}  // namespace vt
