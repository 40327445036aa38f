#pragma once
// A text field whose key presses go to a KeyDown handler first; a handler
// that answers true consumes the key, so it never reaches the field.
//
// While HoldsFocus answers true the field keeps its window's keyboard focus:
// Tab and Shift+Tab come to KeyDown like any other key instead of moving the
// focus, and whatever else in the window takes the focus (a click on a menu,
// a table's cell editor) gives it straight back. Other windows, and the popup
// of a menu while it is open, keep the keys they take.

#include <QLineEdit>
#include <functional>
#include <string>

namespace platform {

class TextField : public QLineEdit {
    Q_OBJECT
public:
    TextField(std::string name, QWidget* parent);

    // Receives the key as the text it types (one character for most keys).
    std::function<bool(const QString& key)> KeyDown;

    // A query, not a handler: it is asked on every focus change in the
    // program and on each Tab, and must not throw.
    std::function<bool()> HoldsFocus;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    bool holdingFocus() const;
    void takeFocusBack(QWidget* now);

    std::string name_;
};

}  // namespace platform
