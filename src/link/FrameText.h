#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <span>

namespace vt {

// Modbus requests are built as hex text, two upper-case digits per byte, and
// answers received in binary are turned back into it before they are
// checked. These routines hold no state.

// The value in upper-case hexadecimal with one 0 in front when it is below
// 16. Nothing is masked: 256 and above give three or more digits.
QString Hex2(int value);

// The low 16 bits of the value as exactly four upper-case hex digits.
QString Hex4(int value);

// The text with the two-digit LRC of all its pairs appended.
QString AppendLRC(const QString& text);

// Writes pair k of the text (blanks trimmed from both ends first) into
// element k of the buffer and returns the number of pairs written. Pairs
// beyond the buffer's end are not written.
int HexToBytes(const QString& text, std::span<std::uint8_t> buffer);

// The CRC as four digits: the low byte first, then the high byte.
QString CRCHex(int crc);

// The CRC-16 (reflected polynomial A001h) after folding in one byte.
int CRC16Update(int crc, int byte);

// The text with the CRC-16 of all its pairs appended, low byte first.
QString AppendCRC(const QString& text);

// The first `count` bytes as hex text; count 0 gives the empty text.
QString BytesToHex(QByteArrayView bytes, qsizetype count);

// Reading pairs: the text is walked in steps of two characters; a text of
// odd length ends with a one-digit pair. A pair reads as the value of its
// leading hex digits, or 0 when it has none.
int PairValue(QStringView pair);
qsizetype PairCount(QStringView text);
int PairAt(QStringView text, qsizetype index);

// The LRC sum and the CRC-16 over all pairs of a text.
int PairSum(QStringView text);
int PairCRC(QStringView text);

}  // namespace vt
