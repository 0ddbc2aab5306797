#pragma once

#include <QString>

namespace vt {

// Steps of answer checking that work on the received hex text.

// Cuts an ASCII answer down to what lies between the leading ":" and the
// CR LF: the end mark is the first LF, or the first CR when it comes before
// that LF; without an LF nothing is cut.
void StripAsciiFrame(QString& rxBuf);

// ASCII: the pairs, LRC included, sum to 0 modulo 256. RTU: the CRC-16 over
// all bytes, the received CRC included, is 0.
bool FrameCheckOK(const QString& rxBuf, bool rtu);

// The value of the two hex digits that start at a 1-based position.
int RxByte(const QString& rxBuf, int position);

// True when the text begins with a whole RTU exception answer: address,
// function code with bit 7 set, exception code and a good CRC.
bool StartsWithRtuException(const QString& rxBuf);

}  // namespace vt
