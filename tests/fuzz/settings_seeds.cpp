// Writes seed files for the settings reader's fuzz target: each one a file
// that the program's own save wrote, over a few kinds of state (defaults,
// every setting changed, MIDI input on a device, large totals).
//
//   settings_seeds <folder>

#include "settingsprogram.h"

#include "platform/portmidiclasses.h"
#include "shell/window1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: settings_seeds <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtargc = 1;
    QApplication toolkit(qtargc, argv);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "settings_seeds: %s could not be made\n", argv[1]);
        return 1;
    }

    const struct {
        const char* name;
        std::function<void(Window1&)> set;
    } states[] = {
        {"defaults", [](Window1&) {}},
        {"every-setting-changed",
         [](Window1& w) {
             Module1.totaltests = 7;
             Module1.totalnotes = 93;
             Module1.totalaccuracy = 200.0 / 3.0;
             Module1.correct = 62.5;
             Module1.almost = 1.0 / 3.0;
             Module1.miss = 12.1666666;
             Module1.earlychange = 10;
             Module1.tickspeed = 20;
             Module1.playmidinotes = true;
             Module1.reptest = true;
             w.listenplay = false;
         }},
        {"midi-input",
         [](Window1&) {
             Module1.totaltests = 1;
             Module1.totalnotes = 16;
             Module1.totalaccuracy = 100;
             Module1.correct = 100;
             Module1.midiinput = true;
             Module1.earlychange = 100;
             Module1.tickspeed = 80;
             Module1.s->OpenInput(1, 100);
         }},
        {"large-totals",
         [](Window1&) {
             Module1.totaltests = std::numeric_limits<int64_t>::max();
             Module1.totalnotes = std::numeric_limits<int64_t>::max();
             Module1.totalaccuracy = 99.99999;
             Module1.correct = 0.0000001;
             Module1.almost = 50;
             Module1.miss = 49.9999999;
         }},
    };

    SettingsProgram program;
    for (const auto& state : states) {
        program.restart();
        state.set(program.window());
        program.window().savedata();
        const QString seed = QDir(folder).filePath(QString::fromLatin1(state.name));
        QFile::remove(seed);
        if (!program.shownmessages().isEmpty() || !QFile::copy(program.settingsfile(), seed)) {
            std::fprintf(stderr, "settings_seeds: the save of %s did not make a file\n", state.name);
            return 1;
        }
    }
    return 0;
}
