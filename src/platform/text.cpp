#include "platform/text.h"

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

}  // namespace platform
