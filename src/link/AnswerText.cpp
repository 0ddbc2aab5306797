#include "link/AnswerText.h"

#include "link/FrameText.h"

namespace vt {
namespace {

constexpr qsizetype kRtuExceptionChars = 10;  // address, function, code, CRC low, CRC high
constexpr int kExceptionBit = 0x80;

}  // namespace

void StripAsciiFrame(QString& rxBuf) {
  const qsizetype lf = rxBuf.indexOf(QLatin1Char('\n'));
  if (lf < 0) return;
  const qsizetype cr = rxBuf.indexOf(QLatin1Char('\r'));
  const qsizetype end = (cr >= 0 && cr < lf) ? cr : lf;
  if (end >= 2) rxBuf = rxBuf.mid(1, end - 1);
}

bool FrameCheckOK(const QString& rxBuf, bool rtu) {
  return rtu ? PairCRC(rxBuf) == 0 : (PairSum(rxBuf) & 255) == 0;
}

int RxByte(const QString& rxBuf, int position) { return PairValue(QStringView(rxBuf).mid(position - 1, 2)); }

bool StartsWithRtuException(const QString& rxBuf) {
  if (rxBuf.size() < kRtuExceptionChars) return false;
  const QStringView frame = QStringView(rxBuf).left(kRtuExceptionChars);
  return (PairAt(frame, 1) & kExceptionBit) != 0 && PairCRC(frame) == 0;
}

}  // namespace vt
