#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>
#include <optional>

namespace vt {

// The lenient parse: blanks, tabs and line feeds are skipped wherever they
// stand; an optional sign, digits, one "." and an optional exponent (E or D)
// are taken as far as they go; "&H" and "&O" begin hexadecimal and octal
// whole numbers. A text without a leading number gives 0. It never fails:
// a number beyond a double's range, and a hexadecimal or octal one beyond 32
// bits, gives the infinity of its sign (never 0); one too small for a double
// gives 0.
double Val(QStringView text);

// The number format of the program's own files and captions: "." as the
// decimal sign and no thousands separator, whatever the user's format.
QLocale PointFormat();

// The strict conversion: the whole text, blanks around it allowed, must be a
// number in the format of `locale` (QLocale() for the user's number format,
// PointFormat() for the program's own texts); nothing for an empty or
// non-numeric text.
std::optional<double> StrictNumber(const QString& text, const QLocale& locale);

// The strict conversion to a whole number, rounding halves to the even
// neighbour; nothing when the text is not a number or the result leaves
// [min, max].
std::optional<int> StrictWhole(const QString& text, int min, int max, const QLocale& locale);

// The plain conversion to text: up to 15 significant digits, "." as the
// decimal sign, "-" for negative values, no blank and no trailing zeros.
QString PlainNumber(double value);

// A number with up to 15 significant digits written out in
// full (never in exponent form), "." as the decimal sign, no digit grouping
// and no trailing zeros.
QString NumberInFull(double value);

// The free print format of the files: a blank before a non-negative number
// or "-" before a negative one, up to 15 significant digits without a 0
// before the decimal sign of a number below 1, then one blank.
QString FreePrint(double value);

// Rounds to the nearest whole number, a half going to the even neighbour.
double RoundHalfEven(double value);

// The same rounding into an int: a value beyond its range gives the nearer
// end, and a value that is no number gives 0.
int RoundToInt(double value);

}  // namespace vt
