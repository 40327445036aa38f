// Start-up: all program-wide defaults stand before anything else runs (they
// are the initialisers of Module1), a file-size limit is made an error that a
// save reports rather than the end of the program, then the settings file is
// claimed for this copy, the plug-ins are bound, the application object made,
// the main window opened and the event loop run.

#include "platform/application.h"
#include "platform/files.h"
#include "platform/pluginhost.h"
#include "results/settingsclaim.h"
#include "shell/app.h"
#include "shell/catalogue.h"
#include "shell/filesizesignal.h"
#include "shell/mainmenubar.h"
#include "shell/window1.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// With no platform named, the toolkit looks for an X or Wayland display and,
// finding neither, aborts with advice that does not help; say what is
// missing instead. A platform named on purpose (offscreen, say) is left to
// the toolkit.
bool displayMissing() { return !isSet("QT_QPA_PLATFORM") && !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY"); }

}  // namespace

int main(int argc, char* argv[]) {
    ignoreFileSizeSignal();
    if (displayMissing()) {
        std::fputs("Taptrell needs a graphical display: neither DISPLAY nor WAYLAND_DISPLAY is set.\n", stderr);
        return 1;
    }
    QApplication toolkit(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Taptrell"));
    QApplication::setApplicationVersion(QStringLiteral("1.4.0.31"));
    // Every window that sets no icon of its own shows the application's.
    QApplication::setWindowIcon(catalogue::applicationIcon());

    // A second copy on the same settings file has told the player and ends
    // before it reads or writes anything.
    const std::optional<settingsclaim::Lock> settings = settingsclaim::claim();
    if (!settings) return 0;

    // Without the MIDI plug-in the program runs as on a machine with no MIDI
    // device; the host has said why on standard error.
    platform::loadPlugins(platform::ProgramFolder());

    Taptrell application;
    setApp(&application);
    MainMenuBar::instance();
    application.Event_Open();

    Window1::instance();
    if (platform::quitRequested()) return 0;

    const int code = QApplication::exec();
    Window1::destroy();
    setApp(nullptr);
    return code;
}
