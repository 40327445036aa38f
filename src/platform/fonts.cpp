#include "platform/fonts.h"

#include <QApplication>

namespace platform {

QFont namedFont(const QString& name, int pixels, bool bold, bool italic) {
    QFont font = QApplication::font();
    if (name == QLatin1String("Cooper Black") || name == QLatin1String("Cooper Std Black")) {
        // A heavy display serif: the free serif at its boldest, condensed so
        // that the captions keep within their labels.
        font = QFont(QStringLiteral("DejaVu Serif"));
        font.setStretch(QFont::Condensed);
        font.setWeight(QFont::Black);
    } else if (name == QLatin1String("Arial Bold Italic")) {
        font = QFont(QStringLiteral("Liberation Sans"));
        bold = italic = true;
    } else if (name == QLatin1String("Arial")) {
        font = QFont(QStringLiteral("Liberation Sans"));
    }
    if (pixels > 0) font.setPixelSize(pixels);
    if (bold && font.weight() < QFont::Bold) font.setWeight(QFont::Bold);
    if (italic) font.setItalic(true);
    return font;
}

}  // namespace platform
