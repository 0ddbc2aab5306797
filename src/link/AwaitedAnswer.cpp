#include "link/AwaitedAnswer.h"

#include "link/FrameText.h"

namespace vt {
namespace {

constexpr int kRead = 0x03;
constexpr int kWriteOne = 0x06;
constexpr int kWriteMany = 0x10;
constexpr int kExceptionBit = 0x80;
constexpr qsizetype kFieldBytes = 4;       // start register or register, then count or value
constexpr qsizetype kExceptionBytes = 3;   // address, function with bit 7 set, exception code
constexpr qsizetype kFirstRegisterAt = 3;  // after address, function and byte count

int Byte(const QByteArray& bytes, qsizetype at) { return static_cast<quint8>(bytes[at]); }

int Word(const QByteArray& bytes, qsizetype at) { return Byte(bytes, at) * 256 + Byte(bytes, at + 1); }

}  // namespace

AwaitedAnswer::AwaitedAnswer(int address, QStringView body) : address_(address), function_(PairAt(body, 0)) {
  for (qsizetype k = 1; k <= kFieldBytes && k < PairCount(body); ++k) fields_.append(static_cast<char>(PairAt(body, k)));
}

AwaitedAnswer::Fit AwaitedAnswer::Check(const QByteArray& frame) const {
  if (frame.size() < 2 || Byte(frame, 0) != address_ || fields_.size() != kFieldBytes) return Fit::Other;
  const int function = Byte(frame, 1);
  if (function == (function_ | kExceptionBit) && frame.size() == kExceptionBytes) return Fit::Exception;
  if (function != function_) return Fit::Other;
  const QByteArray data = frame.mid(2);
  switch (function_) {
    case kRead: {
      const int byteCount = 2 * Word(fields_, 2);
      return data.size() == 1 + byteCount && Byte(data, 0) == byteCount ? Fit::Answer : Fit::Other;
    }
    case kWriteOne:
    case kWriteMany:
      return data == fields_ ? Fit::Answer : Fit::Other;
    default:
      return Fit::Other;
  }
}

void AwaitedAnswer::Decode(const QByteArray& frame, std::span<std::int32_t> values) const {
  if (function_ != kRead) return;
  const qsizetype words = (frame.size() - kFirstRegisterAt) / 2;
  for (qsizetype i = 0; i < words && i < static_cast<qsizetype>(values.size()); ++i) {
    values[i] = Word(frame, kFirstRegisterAt + 2 * i);
  }
}

}  // namespace vt
