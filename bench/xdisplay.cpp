#include "xdisplay.h"

#include "xserver.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <stdexcept>

VirtualDisplay::VirtualDisplay() {
    if (const char* given = std::getenv("DISPLAY"); given && *given) {
        name_ = given;
        Display* display = XOpenDisplay(name_.c_str());
        if (!display) throw std::runtime_error("cannot connect to DISPLAY " + name_);
        XCloseDisplay(display);
        return;
    }
    if (!XServer::installed()) throw std::runtime_error("Xvfb is not installed (the xvfb package)");
    server_ = std::make_unique<XServer>();
    name_ = server_->display();
    setenv("DISPLAY", name_.c_str(), 1);
}

VirtualDisplay::~VirtualDisplay() {
    if (!server_) return;
    server_.reset();
    unsetenv("DISPLAY");
}
