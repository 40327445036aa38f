#pragma once
// A virtual X server (Xvfb) for one test: started on a free display number,
// which Xvfb picks itself, and stopped when the object goes.

#include <string>
#include <sys/types.h>

class XServer {
public:
    // Whether the Xvfb program is installed at all.
    static bool installed();

    XServer();  // throws std::runtime_error when it does not come up
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    const std::string& display() const { return display_; }

private:
    std::string display_;
    pid_t pid_ = -1;
};
