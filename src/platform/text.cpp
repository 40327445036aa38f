#include "platform/text.h"

#include <QList>
#include <cmath>
#include <cstdio>
#include <limits>

namespace platform {

QString Str(int64_t value) { return QString::number(value); }

QString Str(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0.0) return QStringLiteral("0");
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.7g", value);
    return QString::fromLatin1(buffer);
}

double Val(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    const char* p = bytes.constData();
    while (*p == ' ' || *p == '\t') ++p;
    const char* start = p;
    if (*p == '+' || *p == '-') ++p;
    const char* digits = p;
    while (*p >= '0' && *p <= '9') ++p;
    if (*p == '.') {
        ++p;
        while (*p >= '0' && *p <= '9') ++p;
    }
    if (p == digits || (p == digits + 1 && *digits == '.')) return 0.0;
    if (*p == 'e' || *p == 'E') {
        const char* e = p + 1;
        if (*e == '+' || *e == '-') ++e;
        if (*e >= '0' && *e <= '9') {
            while (*e >= '0' && *e <= '9') ++e;
            p = e;
        }
    }
    return std::strtod(QByteArray(start, p - start).constData(), nullptr);
}

int64_t truncateToInteger(double value) {
    if (std::isnan(value)) return 0;
    constexpr double top = 9223372036854775807.0;  // rounds to 2^63
    if (value >= top) return std::numeric_limits<int64_t>::max();
    if (value <= -top) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(value);
}

int64_t ValInteger(const QString& text) { return truncateToInteger(Val(text)); }

QString FormatHashHash(double value) {
    if (!std::isfinite(value)) return Str(value);
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    QString text = QString::fromLatin1(buffer);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0'))) text.chop(1);
        if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    }
    if (text == QLatin1String("-0")) text = QStringLiteral("0");
    return text;
}

QString Hex(int64_t value) {
    uint64_t bits = static_cast<uint64_t>(value);
    if (bits == 0) return QStringLiteral("0");
    static constexpr char digits[] = "0123456789ABCDEF";
    char buffer[17];
    int at = 16;
    buffer[at] = '\0';
    while (bits != 0) {
        buffer[--at] = digits[bits & 0xF];
        bits >>= 4;
    }
    return QString::fromLatin1(buffer + at);
}

int64_t HexVal(const QString& text) {
    uint64_t bits = 0;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        uint64_t digit = 0;
        if (c >= u'0' && c <= u'9')
            digit = uint64_t(c - u'0');
        else if (c >= u'A' && c <= u'F')
            digit = uint64_t(c - u'A' + 10);
        else if (c >= u'a' && c <= u'f')
            digit = uint64_t(c - u'a' + 10);
        else
            break;
        if (bits > (std::numeric_limits<uint64_t>::max() >> 4)) {
            bits = std::numeric_limits<uint64_t>::max();
            break;
        }
        bits = (bits << 4) | digit;
    }
    return static_cast<int64_t>(bits);
}

int64_t Asc(const QString& text) {
    if (text.isEmpty()) return 0;
    const QList<uint> codes = text.left(2).toUcs4();
    return codes.isEmpty() ? 0 : int64_t(codes.front());
}

QString Chr(int64_t code) {
    if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return QString();
    const char32_t one = char32_t(code);
    return QString::fromUcs4(&one, 1);
}

}  // namespace platform
