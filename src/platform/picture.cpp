#include "platform/picture.h"

namespace platform {

Picture::Picture(QString path) : path_(std::move(path)) {}

Picture::Picture(QImage image) : image_(std::move(image)) {}

const QImage* Picture::image() {
    if (image_.isNull() && !path_.isEmpty() && image_.load(path_)) {
        // Held in the format the canvases paint in: a picture kept as read
        // (one-bit, grey, unpremultiplied) is converted again at every draw,
        // and one without transparency is then copied rather than blended.
        image_.convertTo(image_.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    }
    return image_.isNull() ? nullptr : &image_;
}

int Picture::Width() {
    const QImage* img = image();
    return img ? img->width() : 0;
}

int Picture::Height() {
    const QImage* img = image();
    return img ? img->height() : 0;
}

}  // namespace platform
