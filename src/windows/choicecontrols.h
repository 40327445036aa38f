#pragma once
// The radio buttons and check boxes of the options window.
//
// A radio button raises its Action when it becomes set, whether the player
// clicks it or the program sets its Value to true (the level picture buttons
// and the "Midi" fall-back rely on that); the radio that loses the selection
// raises nothing, and neither does setting a Value to false. Radios with the
// same parent form one exclusive set.
//
// A check box raises its Action only when the player changes it: the program
// sets it quietly while the window shows the current settings.

#include <QCheckBox>
#include <QRadioButton>
#include <functional>
#include <string>

namespace windows {

class RadioButton : public QRadioButton {
public:
    // `name` is the Action handler's name, shown when an exception escapes it.
    RadioButton(std::string name, const QString& caption, QWidget* parent);

    bool Value() const { return isChecked(); }
    void setValue(bool value);

    std::function<void()> Action;

private:
    void raiseAction();

    std::string name_;
    bool settingFromCode_ = false;
};

class CheckBox : public QCheckBox {
public:
    CheckBox(std::string name, const QString& caption, QWidget* parent);

    bool Value() const { return isChecked(); }
    void setValue(bool value);

    std::function<void()> Action;

private:
    std::string name_;
};

}  // namespace windows
