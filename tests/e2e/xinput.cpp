#include "xinput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <stdexcept>

namespace {
Display* x(void* d) { return static_cast<Display*>(d); }
}  // namespace

XInput::XInput(const char* display) : display_(XOpenDisplay(display)) {
    if (!display_) throw std::runtime_error("no X server");
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(x(display_), &event, &error, &major, &minor)) {
        XCloseDisplay(x(display_));
        throw std::runtime_error("the X server has no XTest");
    }
}

XInput::~XInput() { XCloseDisplay(x(display_)); }

void XInput::click(int px, int py) {
    XTestFakeMotionEvent(x(display_), DefaultScreen(x(display_)), px, py, 0);
    XTestFakeButtonEvent(x(display_), 1, True, 0);
    XTestFakeButtonEvent(x(display_), 1, False, 0);
    XFlush(x(display_));
}

void XInput::tapKey() {
    const KeyCode key = XKeysymToKeycode(x(display_), XK_j);
    XTestFakeKeyEvent(x(display_), key, True, 0);
    XTestFakeKeyEvent(x(display_), key, False, 0);
    XFlush(x(display_));
}
