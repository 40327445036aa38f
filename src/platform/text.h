#pragma once
// The conversions between numbers and text that the program shows and stores.

#include <QString>
#include <cstdint>

namespace platform {

// A whole number as plain decimal digits, "-" before a negative one.
QString Str(int64_t value);
// A real number with up to seven significant digits and no trailing zeros
// ("0.3333333", "-5", "87.5"); very large or small values in exponent form.
QString Str(double value);
// Disambiguates the int overloads so that `Str(3)` is a whole number.
inline QString Str(int value) { return Str(int64_t(value)); }

// The number at the start of `text` (after leading blanks): an optional sign,
// digits, a decimal point, an exponent. Text that does not start with a
// number reads as 0.
double Val(const QString& text);

// A real number truncated toward zero into a whole number, saturating at the
// ends of the 64-bit range; not-a-number gives 0.
int64_t truncateToInteger(double value);
// Val followed by truncateToInteger.
int64_t ValInteger(const QString& text);

// "#.##": at most two decimals, rounded, with no trailing zeros and no
// trailing point; zero shows as "0".
QString FormatHashHash(double value);

}  // namespace platform
