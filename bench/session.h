#pragma once
// What both benchmarks need around their measurements: the machine and the
// moment for the report's heading, and the main window ready for injected
// keys.

#include <string>

class QString;
class QWidget;
class Taptrell;

// "8 x <model name>", as /proc/cpuinfo names the CPU.
std::string machine();
// "2026-12-10 14:07 UTC".
std::string utcNow();
// Waits, running events, until `window` is on screen and holds the X input
// focus, so injected keys reach it; false after five seconds without.
bool waitForFocus(QWidget& window);
// Opens the program's main window as the program does at start-up, in a copy
// of the built program folder made in `scratch` (the plug-ins from the built
// folder itself), with `application` as the application object, and waits
// for its focus.
bool openMainWindow(Taptrell& application, const QString& scratch);
