#pragma once
// The saved-line scrambler: keeps the settings-and-totals file from holding
// the player's totals as plain text. A scrambled line is a run of hexadecimal
// digits: two that tell how many filler letters stand in front of the text,
// then one pair for every filler letter and every character, each
// character's code lowered by an offset that depends on its position.
//
// The tables are frozen: every saved file was written with them, so a change
// would make every saved file unreadable.

#include <QString>
#include <array>
#include <cstdint>

namespace scrambler {

// The first character of a line names the prefix length (its index here).
inline constexpr std::array<char, 11> pwsymbols = {'5', 'B', '2', '9', 'E', '0', 'C', '7', 'A', '3', 'F'};
// Ten lower-case letters; the first p of them stand in front of the text.
inline constexpr char pwfiller[] = "gnatvelmor";
// Written in front of a value with a single hexadecimal digit. Zero, so that
// every value from 0 to 255 reads back as itself.
inline constexpr char paddigit = '0';
// The offset of the character at working position i is entry p + i. No offset
// exceeds 31, so every character from the blank (32) to 255 scrambles into
// 0..255 and reads back unchanged.
int64_t pwoffset(int64_t index);  // raises OutOfBoundsException past entry 300
inline constexpr int64_t lastoffsetindex = 300;

// The scrambled form of `text` with `prefixlength` (0..9) filler letters; a
// tab is taken as a blank. Raises OutOfBoundsException for a text too long
// for the offset table.
QString encpw(const QString& text, int64_t prefixlength);
// As above, the prefix length drawn from a fresh random source.
QString encpw(const QString& text);

// The text of a scrambled line. A line whose first character is none of the
// symbols is read with `fallbackprefix` filler letters. A pair holding a
// character that is not a hexadecimal digit reads only the digits before it.
// Raises OutOfBoundsException for a line too long for the offset table.
QString decpw(const QString& line, int64_t fallbackprefix);
// As above, the fallback drawn from a fresh random source.
QString decpw(const QString& line);

}  // namespace scrambler
