#include "startup.h"

#include "programcopy.h"

// Qt before Xlib, whose macros (Status, Bool) would break Qt's headers.
#include <QTemporaryDir>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

long windowPid(Display* display, Window window) {
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    if (pidAtom == None) return -1;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                           &data) == Success &&
        data && items == 1 && format == 32)
        pid = long(*reinterpret_cast<unsigned long*>(data));
    if (data) XFree(data);
    return pid;
}

// The peak resident set of a running process, in MB.
double peakRssMb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// Ends the program as a logout would; a program that ignores that is killed.
void stop(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        usleep(10'000);
    }
    std::fprintf(stderr, "timing: the program ignored SIGTERM; killed\n");
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

}  // namespace

StartupFigures measureStartup(const QString& programFolder, int runs) {
    StartupFigures figures;
    QTemporaryDir scratch;
    const QString program = copyProgramFolder(programFolder, scratch.path());
    Display* display = XOpenDisplay(nullptr);
    if (!display) return figures;
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);

    for (int run = 0; run < runs; ++run) {
        const Clock::time_point start = Clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("QT_QPA_PLATFORM", "xcb", 1);
            const std::string path = program.toStdString();
            execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        bool shown = false;
        while (!shown && Clock::now() - start < std::chrono::seconds(20)) {
            while (XPending(display)) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type != MapNotify) continue;
                // The top-level window Qt maps for the main window; Qt names
                // its process on it.
                if (windowPid(display, event.xmap.window) != pid) continue;
                figures.ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
                shown = true;
                break;
            }
            if (!shown) usleep(200);
        }
        // A moment to settle at rest before reading its memory.
        usleep(300'000);
        figures.peakRssMb = std::max(figures.peakRssMb, peakRssMb(pid));
        stop(pid);
        XSync(display, True);
    }
    XCloseDisplay(display);
    return figures;
}
