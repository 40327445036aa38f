#pragma once
// The drawing context a Paint handler receives: pictures, lines and text in a
// given font, size and colour.

#include "platform/fonts.h"
#include "platform/picture.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>

namespace platform {

class Graphics {
public:
    Graphics(QPainter& painter, int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

    QColor ForeColor = Qt::black;
    QString TextFont = QStringLiteral("System");
    int TextSize = 12;
    FontUnit TextUnit = FontUnit::Pixel;
    bool Bold = false;
    bool Italic = false;

    // The picture at its own size with its top-left corner at (x, y).
    void DrawPicture(const PicturePtr& picture, int x, int y);
    // The picture scaled into the rectangle (x, y, width, height).
    void DrawPicture(const PicturePtr& picture, int x, int y, int width, int height);
    // A line one pixel wide through the pixels it names, never blended
    // into its neighbours.
    void DrawLine(int x1, int y1, int x2, int y2);
    // Text with its baseline at y.
    void DrawString(const QString& text, int x, int y);
    void FillRect(int x, int y, int width, int height);
    int StringWidth(const QString& text);

    QPainter& painter() { return painter_; }

private:
    void applyPen();
    void applyFont();

    QPainter& painter_;
    int width_;
    int height_;
};

}  // namespace platform
