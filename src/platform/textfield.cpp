#include "platform/textfield.h"

#include "platform/dispatch.h"

#include <QKeyEvent>

namespace platform {

TextField::TextField(std::string name, QWidget* parent) : QLineEdit(parent), name_(std::move(name)) {}

void TextField::keyPressEvent(QKeyEvent* event) {
    if (KeyDown) {
        const QString key = event->text();
        if (dispatch(name_, [&] { return KeyDown(key); })) return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace platform
