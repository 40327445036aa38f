#include "results/scrambler.h"

#include "platform/exceptions.h"
#include "platform/random.h"
#include "platform/text.h"
#include "shell/window1.h"

#include <QList>

namespace scrambler {
namespace {

// Entries 0..34 one by one; every entry after them is the same.
constexpr std::array<int64_t, 35> firstoffsets = {3,  11, 7,  19, 2,  23, 5,  14, 29, 8,  17, 1,
                                                  26, 12, 6,  21, 9,  30, 4,  15, 27, 10, 18, 2,
                                                  24, 13, 28, 7,  20, 16, 31, 11, 22, 5,  25};
constexpr int64_t restoffset = 7;

int64_t drawprefix() {
    platform::Random fresh;
    return fresh.InRange(0, 9);
}

}  // namespace

int64_t pwoffset(int64_t index) {
    if (index < 0 || index > lastoffsetindex)
        throw platform::OutOfBoundsException("the scrambler's offset table has no entry " + std::to_string(index));
    if (index < int64_t(firstoffsets.size())) return firstoffsets[size_t(index)];
    return restoffset;
}

QString encpw(const QString& text, int64_t prefixlength) {
    const int64_t p = prefixlength;
    QString result;
    result += QLatin1Char(pwsymbols.at(size_t(p)));
    result += QLatin1Char(pwsymbols.at(size_t(p + 1)));
    const QList<uint> working = (QString::fromLatin1(pwfiller, qsizetype(p)) + text).toUcs4();
    for (qsizetype at = 0; at < working.size(); ++at) {
        const int64_t i = at + 1;
        int64_t c = int64_t(working[at]);
        if (c == 9) c = 32;
        const int64_t v = c - pwoffset(p + i);
        QString pair = platform::Hex(v);
        if (pair.size() == 1) pair.prepend(QLatin1Char(paddigit));
        result += pair;
    }
    return result;
}

QString encpw(const QString& text) { return encpw(text, drawprefix()); }

QString decpw(const QString& line, int64_t fallbackprefix) {
    const QList<uint> chars = line.toUcs4();
    int64_t p = fallbackprefix;
    if (!chars.isEmpty()) {
        for (size_t index = 0; index < pwsymbols.size(); ++index) {
            if (chars.front() == uint(uchar(pwsymbols[index]))) {
                p = int64_t(index);
                break;
            }
        }
    }
    QString result;
    const int64_t length = chars.size();
    int64_t k = 2 * p + 1;
    for (int64_t j = 2 * p + 3; j <= length; j += 2, ++k) {
        QString pair = platform::Chr(int64_t(chars[qsizetype(j - 1)]));
        if (j < length) pair += platform::Chr(int64_t(chars[qsizetype(j)]));
        result += platform::Chr(platform::HexVal(pair) + pwoffset(k));
    }
    return result;
}

QString decpw(const QString& line) { return decpw(line, drawprefix()); }

}  // namespace scrambler

QString Window1::encpw(const QString& text) { return scrambler::encpw(text); }

QString Window1::decpw(const QString& line) { return scrambler::decpw(line); }
