#pragma once

#include <QString>
#include <cstdint>

namespace vt {

// Number pattern for a decimal count: "#0", "#0.0" to "#0.000000"; a count
// above 6 (seven decimals, or a unit's extra ones added to the indicator's)
// is shown with 6, and a negative count gives "#0.".
QString GetDecFormat(int dp);

// Writes a number with a pattern: "#0" (whole number), "#0." followed by n
// zeros (exactly n decimals; none gives the whole number and the point) or
// "0.0". "." is the decimal sign, no thousands separator; halves round away
// from zero.
QString FormatNumber(double value, const QString& pattern);

// The number formatted with the pattern of a decimal count.
QString FormatDec(double value, int dp);

// value / 10^dp with exactly dp decimals when 0 < dp < 7, else value itself
// as plain text.
QString ScaleByDP(double value, int dp);

// The indicator's unit codes: 0 "g" ... 8 "V"; any other code the empty text.
QString UnitName(int code);

// Two 16-bit registers as a two's-complement 32-bit number, high word first.
std::int32_t Regs2Long(std::int32_t high, std::int32_t low);

// Splits a value into the three bytes of a 24-bit parameter, lowest first,
// after rounding it half to even. Negative values give remainders from -255
// to 0, as the callers expect.
void Dbl2Bytes(double value, std::int32_t& b0, std::int32_t& b1, std::int32_t& b2);

// The same split without rounding the value first.
void Split3Bytes(double value, std::int32_t& b0, std::int32_t& b1, std::int32_t& b2);

// Joins three bytes (each masked to 8 bits), lowest first.
double Bytes2Dbl(std::int32_t b0, std::int32_t b1, std::int32_t b2);

// Every "," becomes ".".
QString Comma2Dot(QString text);

}  // namespace vt
