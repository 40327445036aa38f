#pragma once
// What a program shows on the X server, read from outside it on a connection
// of its own: the top-level window a process has mapped, and the pixels of a
// part of the screen.

#include <optional>
#include <sys/types.h>
#include <utility>
#include <vector>

class XScreen {
public:
    explicit XScreen(const char* display);  // throws std::runtime_error without an X server
    ~XScreen();
    XScreen(const XScreen&) = delete;
    XScreen& operator=(const XScreen&) = delete;

    // The screen position of the viewable top-level window that process `pid`
    // has named as its own (_NET_WM_PID, which Qt sets); none while it has none.
    std::optional<std::pair<int, int>> windowOrigin(pid_t pid);
    // The pixels of the screen rectangle, row by row.
    std::vector<unsigned long> pixels(int x, int y, int width, int height);

private:
    void* display_;
};

// The process that window `window` of `display` names as its owner; -1 when it names none.
long windowPid(void* display, unsigned long window);
