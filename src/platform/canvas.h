#pragma once
// A canvas keeps its own backing picture. Refresh() runs the Paint handler at
// once, inside the caller, onto that picture; the window system's repaints
// (expose, restore) only show it. So a handler that changes state while it
// paints runs exactly when the program asks, even while the window is
// minimised.

#include "platform/graphics.h"
#include "platform/picture.h"

#include <QImage>
#include <QWidget>
#include <functional>
#include <string>

namespace platform {

class Canvas : public QWidget {
    Q_OBJECT
public:
    // `name` is the Paint handler's name, shown when an exception escapes it.
    Canvas(std::string name, QWidget* parent);

    // Drawn behind every paint, at (0, 0) and its own size.
    PicturePtr Backdrop;
    std::function<void(Graphics&)> Paint;

    // Erases the backing picture, draws the backdrop and runs Paint, now.
    void Refresh();

    // What the canvas shows (for tests and screenshots).
    const QImage& backing() const { return backing_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::string name_;
    QImage backing_;
    bool painted_ = false;
};

}  // namespace platform
