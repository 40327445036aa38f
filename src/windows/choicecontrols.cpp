#include "windows/choicecontrols.h"

#include "platform/dispatch.h"

#include <QSignalBlocker>

namespace windows {

RadioButton::RadioButton(std::string name, const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent), name_(std::move(name)) {
    setAutoExclusive(true);
    connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
        if (checked && !settingFromCode_) raiseAction();
    });
}

void RadioButton::setValue(bool value) {
    settingFromCode_ = true;
    if (value) {
        setChecked(true);
    } else if (isChecked()) {
        // An exclusive radio refuses to be unset on its own.
        setAutoExclusive(false);
        setChecked(false);
        setAutoExclusive(true);
    }
    settingFromCode_ = false;
    if (value) raiseAction();
}

void RadioButton::raiseAction() {
    if (Action) platform::dispatch(name_, Action);
}

CheckBox::CheckBox(std::string name, const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent), name_(std::move(name)) {
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (Action) platform::dispatch(name_, Action);
    });
}

void CheckBox::setValue(bool value) {
    const QSignalBlocker quiet(this);
    setChecked(value);
}

}  // namespace windows
