// The main window's OPTIONS and HELP buttons.

#include "platform/keyboard.h"
#include "shell/window1.h"
#include "windows/helpwin.h"
#include "windows/optionwin.h"

void Window1::BevelButton2_Action() { optionwin::instance().ShowModal(); }

void Window1::BevelButton4_Action() {
    // Shift, Control and Alt held together toggle the width that uncovers
    // the note table beyond the window's design width.
    const bool uncover = platform::ShiftKey() && platform::ControlKey() && platform::AltKey();
    if (!uncover) {
        helpwin::instance().Show();
        return;
    }
    setWidth(Width() == 1170 ? 960 : 1170);
}
