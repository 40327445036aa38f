#include "xserver.h"

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

bool XServer::installed() { return std::system("command -v Xvfb >/dev/null 2>&1") == 0; }

XServer::XServer() {
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
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
        throw std::runtime_error("Xvfb did not start");
    }
    display_ = ":" + number;
    for (int i = 0; i < 500; ++i) {
        if (Display* d = XOpenDisplay(display_.c_str())) {
            XCloseDisplay(d);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    throw std::runtime_error("Xvfb on " + display_ + " accepts no connection");
}

XServer::~XServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}
