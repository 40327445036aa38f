#pragma once
// A text field whose key presses go to a KeyDown handler first; a handler
// that answers true consumes the key, so it never reaches the field.

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

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::string name_;
};

}  // namespace platform
