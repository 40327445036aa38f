// Binds the controls' events to Window1's handlers. The handlers are defined
// in the folders of their subsystems; each is bound here as it is built.

#include "shell/window1.h"

void Window1::BindHandlers() {
    // Bar generation and notation.

    // Test clock, start and stop, taps, correction.

    // Main-window buttons, tempo slider, replay, instrument menu.
}
