#include "platform/text.h"

#include <QList>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace platform {

QString Str(int64_t value) { return QString::number(value); }

QString Str(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0.0) return QStringLiteral("0");
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    return QString::fromLatin1(buffer, written.ptr - buffer);
}

namespace {

// The power of ten of the first significant digit of `number` times ten to
// `exponent` (`number` holds digits and at most one point); it only has to
// tell a value too large for a double from one too small, which lie hundreds
// of powers apart.
int64_t leadingpower(std::string_view number, int64_t exponent) {
    const size_t point = std::min(number.find('.'), number.size());
    const size_t first = number.find_first_not_of("0.");
    if (first == std::string_view::npos) return 0;
    const int64_t power = first < point ? int64_t(point - first) - 1 : -int64_t(first - point);
    return power + exponent;
}

// The exponent's digits, saturated far beyond any double's range.
int64_t exponentvalue(const char* from, const char* to) {
    const bool negative = *from == '-';
    if (*from == '+' || *from == '-') ++from;
    int64_t value = 0;
    for (; from < to && value < 1'000'000'000; ++from) value = value * 10 + (*from - '0');
    return negative ? -value : value;
}

}  // namespace

// Read with std::from_chars, which always takes "." as the decimal point,
// whatever locale the C library was given at start-up.
double Val(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    const char* p = bytes.constData();
    while (*p == ' ' || *p == '\t') ++p;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    const char* digits = p;
    while (*p >= '0' && *p <= '9') ++p;
    if (*p == '.') {
        ++p;
        while (*p >= '0' && *p <= '9') ++p;
    }
    if (p == digits || (p == digits + 1 && *digits == '.')) return 0.0;
    const char* mantissaend = p;
    if (*p == 'e' || *p == 'E') {
        const char* e = p + 1;
        if (*e == '+' || *e == '-') ++e;
        if (*e >= '0' && *e <= '9') {
            while (*e >= '0' && *e <= '9') ++e;
            p = e;
        }
    }
    double value = 0.0;
    if (std::from_chars(digits, p, value).ec == std::errc::result_out_of_range) {
        const int64_t exponent = p == mantissaend ? 0 : exponentvalue(mantissaend + 1, p);
        const std::string_view mantissa(digits, size_t(mantissaend - digits));
        value = leadingpower(mantissa, exponent) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
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
    char buffer[400];  // the largest double has 309 digits before the point
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    QString text = QString::fromLatin1(buffer, written.ptr - buffer);
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
