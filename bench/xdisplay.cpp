#include "xdisplay.h"

#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

bool connectable(const std::string& name) {
    Display* display = XOpenDisplay(name.c_str());
    if (!display) return false;
    XCloseDisplay(display);
    return true;
}

}  // namespace

VirtualDisplay::VirtualDisplay() {
    if (const char* given = std::getenv("DISPLAY"); given && *given) {
        name_ = given;
        if (!connectable(name_)) throw std::runtime_error("cannot connect to DISPLAY " + name_);
        return;
    }
    // Xvfb picks a free display number itself and writes it to the pipe, so
    // two runs at once never collide.
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        close(fds[0]);
        // The server goes with the process that started it, however that
        // ends; its notes on display numbers it found taken are not ours.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (const int quiet = open("/dev/null", O_WRONLY); quiet >= 0) dup2(quiet, STDERR_FILENO);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
        throw std::runtime_error("Xvfb did not start (is the xvfb package installed?)");
    }
    name_ = ":" + number;
    setenv("DISPLAY", name_.c_str(), 1);
    for (int i = 0; i < 1000 && !connectable(name_); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!connectable(name_)) throw std::runtime_error("Xvfb on " + name_ + " accepts no connection");
}

VirtualDisplay::~VirtualDisplay() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    unsetenv("DISPLAY");
}
