#pragma once
// A picture handle. The catalogue hands out one handle per name for the whole
// run, so that a button's mode can be read by comparing handles; the image
// behind a handle loads on first use and is tried again after a failure.

#include <QImage>
#include <QString>
#include <memory>

namespace platform {

class Picture {
public:
    // A picture read from `path` when first needed.
    explicit Picture(QString path);
    // A picture made in memory (drawn by the program or a test).
    explicit Picture(QImage image);

    // The image, loading it now if it is not loaded yet; nullptr while the
    // file cannot be read.
    const QImage* image();
    bool isLoaded() const { return !image_.isNull(); }

    int Width();
    int Height();

    const QString& path() const { return path_; }

private:
    QString path_;
    QImage image_;
};

using PicturePtr = std::shared_ptr<Picture>;

}  // namespace platform
