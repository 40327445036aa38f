#pragma once
// A push button that shows a picture and no caption, on a white face. The
// picture shown is the button's mode for some buttons, so it is kept as the
// shared handle it was given and compared by identity. The picture is the
// whole face. A button takes no focus unless it is given a focus policy;
// one that takes it from the keyboard shows a frame inside its edge while it
// holds it, since Space presses the focused button and a player tapping must
// see which one that is. A button reached by Tab alone never takes the
// focus from a click, which would pull it away from the field that takes a
// test's taps.

#include "platform/picture.h"

#include <QAbstractButton>
#include <functional>
#include <string>

namespace platform {

class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    PictureButton(std::string name, QWidget* parent);

    const PicturePtr& Icon() const { return icon_; }
    void setIcon(PicturePtr picture);

    std::function<void()> Action;

    // A flat button has no frame: only its picture on white.
    void setFlat(bool flat);
    bool isFlat() const { return flat_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string name_;
    PicturePtr icon_;
    bool flat_ = false;
};

}  // namespace platform
