#include "platform/fonts.h"

#include <QApplication>

namespace platform {
namespace {

bool named(const QString& name, const char* face) {
    return name.compare(QLatin1String(face), Qt::CaseInsensitive) == 0;
}

}  // namespace

QFont namedFont(const QString& name, int size, bool bold, bool italic, FontUnit unit) {
    QFont font = QApplication::font();
    if (named(name, "Cooper Black") || named(name, "Cooper Std Black")) {
        // A heavy display serif: the free serif at its boldest, condensed so
        // that the captions keep within their labels.
        font = QFont(QStringLiteral("DejaVu Serif"));
        font.setStretch(QFont::Condensed);
        font.setWeight(QFont::Black);
    } else if (named(name, "Arial Bold Italic")) {
        font = QFont(QStringLiteral("Liberation Sans"));
        bold = italic = true;
    } else if (named(name, "Arial Bold")) {
        font = QFont(QStringLiteral("Liberation Sans"));
        bold = true;
    } else if (named(name, "Arial") || named(name, "Helvetica")) {
        // Liberation Sans keeps the widths of both, so texts laid out for
        // them take the same room.
        font = QFont(QStringLiteral("Liberation Sans"));
    }
    if (size > 0) {
        if (unit == FontUnit::Point)
            font.setPointSize(size);
        else
            font.setPixelSize(size);
    }
    if (bold && font.weight() < QFont::Bold) font.setWeight(QFont::Bold);
    if (italic) font.setItalic(true);
    return font;
}

}  // namespace platform
