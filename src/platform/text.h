#pragma once
// The conversions between numbers and text that the program shows and stores.
// They never follow the locale: the decimal point is always ".", whatever
// the environment gave the C library at start-up, so a saved file reads back
// the same everywhere.

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

// The hexadecimal text of a 64-bit whole number in upper-case digits with no
// leading zeros ("0" for zero); a negative number gives its 16-digit two's
// complement ("FFFFFFFFFFFFFFFF" for -1).
QString Hex(int64_t value);
// The value of the hexadecimal digits at the start of `text` (either letter
// case), read as a 64-bit two's complement number, so that HexVal(Hex(v)) is
// v. Reading stops at the first character that is not a hexadecimal digit;
// text that starts with none reads as 0, and more than 16 digits saturate at
// all ones.
int64_t HexVal(const QString& text);

// The code of the first character of `text` (a whole character, also beyond
// the 16-bit range); 0 for the empty text.
int64_t Asc(const QString& text);
// The one-character text whose code is `code`; the empty text for a code that
// names no character (negative, a surrogate half, or beyond U+10FFFF).
QString Chr(int64_t code);

}  // namespace platform
