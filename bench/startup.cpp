#include "startup.h"

#include "programcopy.h"
#include "programprocess.h"
#include "xscreen.h"

// Qt before Xlib, whose macros (Status, Bool) would break Qt's headers.
#include <QTemporaryDir>

#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// The peak resident set of a running process, in MB.
double peakRssMb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
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
        ProgramProcess taptrell(program);
        const pid_t pid = taptrell.pid();
        bool shown = false;
        while (!shown && Clock::now() - start < std::chrono::seconds(20)) {
            while (XPending(display)) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type != MapNotify) continue;
                // The top-level window Qt maps for the main window; Qt names
                // its process on it.
                if (windowPid(display, event.xmap.window) != long(pid)) continue;
                figures.ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
                shown = true;
                break;
            }
            if (!shown) usleep(200);
        }
        // A moment to settle at rest before reading its memory.
        usleep(300'000);
        figures.peakRssMb = std::max(figures.peakRssMb, peakRssMb(pid));
        if (!taptrell.stop()) std::fprintf(stderr, "timing: the program ignored SIGTERM; killed\n");
        XSync(display, True);
    }
    XCloseDisplay(display);
    return figures;
}
