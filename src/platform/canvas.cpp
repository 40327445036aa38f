#include "platform/canvas.h"

#include "platform/dispatch.h"

#include <QPaintEvent>
#include <QPainter>

namespace platform {

Canvas::Canvas(std::string name, QWidget* parent) : QWidget(parent), name_(std::move(name)) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TranslucentBackground);
}

void Canvas::Refresh() {
    // An opaque backdrop that covers the canvas replaces every pixel anyway:
    // erasing first would only cost the page change another pass over it,
    // and the canvas is then opaque, so the window system neither paints
    // what lies beneath it nor blends it over that.
    const QImage* backdrop = Backdrop ? Backdrop->image() : nullptr;
    const bool covered = backdrop && !backdrop->hasAlphaChannel() && backdrop->width() >= width() &&
                         backdrop->height() >= height();
    const QImage::Format format = covered ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
    if (backing_.size() != size() || backing_.format() != format) backing_ = QImage(size(), format);
    setAttribute(Qt::WA_OpaquePaintEvent, covered);
    if (!covered) backing_.fill(Qt::transparent);
    painted_ = true;
    {
        QPainter painter(&backing_);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        Graphics g(painter, width(), height());
        if (Backdrop) g.DrawPicture(Backdrop, 0, 0);
        if (Paint) dispatch(name_, [&] { Paint(g); });
    }
    update();
}

void Canvas::paintEvent(QPaintEvent*) {
    // The first time the canvas is shown it has nothing to show yet; its
    // first picture is painted then (no test can be running before the
    // window is first shown).
    if (!painted_) {
        Refresh();
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), backing_);
}

void Canvas::resizeEvent(QResizeEvent*) {
    if (!backing_.isNull() && backing_.size() != size()) {
        QImage grown(size(), QImage::Format_ARGB32_Premultiplied);
        grown.fill(Qt::transparent);
        QPainter(&grown).drawImage(QPoint(0, 0), backing_);
        backing_ = grown;
    }
}

}  // namespace platform
