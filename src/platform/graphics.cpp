#include "platform/graphics.h"

#include "platform/fonts.h"

#include <QFontMetrics>

namespace platform {

Graphics::Graphics(QPainter& painter, int width, int height)
    : painter_(painter), width_(width), height_(height) {}

void Graphics::DrawPicture(const PicturePtr& picture, int x, int y) {
    const QImage* image = picture ? picture->image() : nullptr;
    if (image) painter_.drawImage(QPoint(x, y), *image);
}

void Graphics::DrawPicture(const PicturePtr& picture, int x, int y, int width, int height) {
    const QImage* image = picture ? picture->image() : nullptr;
    if (!image) return;
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter_.drawImage(QRect(x, y, width, height), *image);
}

void Graphics::applyPen() { painter_.setPen(ForeColor); }

void Graphics::applyFont() { painter_.setFont(namedFont(TextFont, TextSize, Bold, Italic, TextUnit)); }

void Graphics::DrawLine(int x1, int y1, int x2, int y2) {
    applyPen();
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.drawLine(x1, y1, x2, y2);
    painter_.restore();
}

void Graphics::DrawString(const QString& text, int x, int y) {
    applyPen();
    applyFont();
    painter_.drawText(QPoint(x, y), text);
}

void Graphics::FillRect(int x, int y, int width, int height) {
    painter_.fillRect(x, y, width, height, ForeColor);
}

int Graphics::StringWidth(const QString& text) {
    return QFontMetrics(namedFont(TextFont, TextSize, Bold, Italic, TextUnit)).horizontalAdvance(text);
}

}  // namespace platform
