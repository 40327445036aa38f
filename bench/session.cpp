#include "session.h"

#include "programcopy.h"

#include "platform/files.h"
#include "platform/pluginhost.h"
#include "shell/app.h"
#include "shell/mainmenubar.h"
#include "shell/window1.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <ctime>
#include <fstream>
#include <thread>

std::string machine() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line, model = "unknown CPU";
    while (std::getline(cpuinfo, line))
        if (line.rfind("model name", 0) == 0) {
            model = line.substr(line.find(':') + 2);
            break;
        }
    return std::to_string(std::thread::hardware_concurrency()) + " x " + model;
}

std::string utcNow() {
    const std::time_t now = std::time(nullptr);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M UTC", std::gmtime(&now));
    return text;
}

bool waitForFocus(QWidget& window) {
    window.activateWindow();
    window.raise();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (window.windowHandle() && window.windowHandle()->isExposed() &&
            QGuiApplication::focusWindow() == window.windowHandle())
            return true;
        window.activateWindow();
    }
    return false;
}

bool openMainWindow(Taptrell& application, const QString& scratch) {
    copyProgramFolder(QStringLiteral(TAPTRELL_PROGRAM_DIR), scratch);
    platform::setProgramFolder(scratch);
    platform::loadPlugins(QStringLiteral(TAPTRELL_PROGRAM_DIR));
    setApp(&application);
    MainMenuBar::instance();
    application.Event_Open();
    return waitForFocus(Window1::instance().frame());
}
