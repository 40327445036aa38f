#include "platform/textfield.h"

#include "platform/dispatch.h"

#include <QApplication>
#include <QKeyEvent>

namespace platform {

namespace {

bool movesFocus(const QKeyEvent& event) { return event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab; }

// A modifier on its own types nothing and is no key press of the field's:
// Shift+Tab or Shift+A is one key press, not two.
bool modifierAlone(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Meta:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
        case Qt::Key_Hyper_L:
        case Qt::Key_Hyper_R:
            return true;
        default:
            return false;
    }
}

}  // namespace

TextField::TextField(std::string name, QWidget* parent) : QLineEdit(parent), name_(std::move(name)) {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { takeFocusBack(now); });
}

void TextField::keyPressEvent(QKeyEvent* event) {
    if (KeyDown && !modifierAlone(*event)) {
        const QString key = event->text();
        if (dispatch(name_, [&] { return KeyDown(key); })) return;
    }
    // A field takes no Tab as text; passed on, it would reach the window,
    // which moves the focus with it.
    if (movesFocus(*event) && holdingFocus()) return;
    QLineEdit::keyPressEvent(event);
}

// The toolkit asks this before a Tab or Shift+Tab reaches keyPressEvent;
// false lets the key through as a key.
bool TextField::focusNextPrevChild(bool next) {
    if (holdingFocus()) return false;
    return QLineEdit::focusNextPrevChild(next);
}

bool TextField::holdingFocus() const { return HoldsFocus && HoldsFocus(); }

void TextField::takeFocusBack(QWidget* now) {
    if (now == nullptr || now == this || now->window() != window()) return;
    if (holdingFocus()) setFocus(Qt::OtherFocusReason);
}

}  // namespace platform
