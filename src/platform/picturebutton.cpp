#include "platform/picturebutton.h"

#include "platform/dispatch.h"

#include <QPainter>

namespace platform {

PictureButton::PictureButton(std::string name, QWidget* parent)
    : QAbstractButton(parent), name_(std::move(name)) {
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (Action) dispatch(name_, Action);
    });
}

void PictureButton::setIcon(PicturePtr picture) {
    icon_ = std::move(picture);
    update();
}

void PictureButton::setFlat(bool flat) {
    flat_ = flat;
    update();
}

QSize PictureButton::sizeHint() const { return size(); }

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!flat_) {
        painter.setPen(QColor(isDown() ? 0x606060 : 0xB0B0B0));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (const QImage* image = icon_ ? icon_->image() : nullptr) {
        QPoint at((width() - image->width()) / 2, (height() - image->height()) / 2);
        if (isDown()) at += QPoint(1, 1);
        painter.drawImage(at, *image);
    }
    if (hasFocus()) {
        // Over the picture's margin, inside the border: two pixels of the
        // system's selection colour, as a focused control shows elsewhere.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(3, 3, -3, -3));
    }
}

}  // namespace platform
