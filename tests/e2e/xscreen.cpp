#include "xscreen.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdexcept>

namespace {
Display* x(void* d) { return static_cast<Display*>(d); }
}  // namespace

long windowPid(void* display, unsigned long window) {
    const Atom pidAtom = XInternAtom(x(display), "_NET_WM_PID", True);
    if (pidAtom == None) return -1;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(x(display), window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                           &data) == Success &&
        data && items == 1 && format == 32)
        pid = long(*reinterpret_cast<unsigned long*>(data));
    if (data) XFree(data);
    return pid;
}

XScreen::XScreen(const char* display) : display_(XOpenDisplay(display)) {
    if (!display_) throw std::runtime_error("no X server");
}

XScreen::~XScreen() { XCloseDisplay(x(display_)); }

std::optional<std::pair<int, int>> XScreen::windowOrigin(pid_t pid) {
    const Window root = DefaultRootWindow(x(display_));
    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::optional<std::pair<int, int>> origin;
    if (!XQueryTree(x(display_), root, &rootReturn, &parent, &children, &count)) return origin;
    for (unsigned int i = 0; i < count && !origin; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(x(display_), children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        if (windowPid(display_, children[i]) != long(pid)) continue;
        int sx = 0, sy = 0;
        Window child = 0;
        XTranslateCoordinates(x(display_), children[i], root, 0, 0, &sx, &sy, &child);
        origin = std::pair{sx, sy};
    }
    if (children) XFree(children);
    return origin;
}

std::vector<unsigned long> XScreen::pixels(int px, int py, int width, int height) {
    std::vector<unsigned long> out;
    XImage* image = XGetImage(x(display_), DefaultRootWindow(x(display_)), px, py, unsigned(width), unsigned(height),
                              AllPlanes, ZPixmap);
    if (!image) return out;
    out.reserve(size_t(width) * size_t(height));
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) out.push_back(XGetPixel(image, column, row));
    XDestroyImage(image);
    return out;
}
