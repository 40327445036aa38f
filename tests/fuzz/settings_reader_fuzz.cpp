// Feeds one file's bytes to the settings reader as the settings-and-totals
// file, through the main window's own load (unscrambling included), and
// stops at the first input after which a setting or total lies outside what
// the program's own controls and scoring can produce.

#include "settingsprogram.h"

#include "platform/portmidiclasses.h"
#include "shell/window1.h"

#include <QApplication>
#include <QFile>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

SettingsProgram* program = nullptr;

void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "after the load: %s\n", what);
    std::abort();
}

bool percentage(double value) { return std::isfinite(value) && value >= 0.0 && value <= 100.0; }

void requireranges() {
    require(Module1.totaltests >= 0, "totaltests below 0");
    require(Module1.totalnotes >= 0, "totalnotes below 0");
    require(percentage(Module1.totalaccuracy), "totalaccuracy outside 0..100");
    require(percentage(Module1.correct), "correct outside 0..100");
    require(percentage(Module1.almost), "almost outside 0..100");
    require(percentage(Module1.miss), "miss outside 0..100");
    require(Module1.earlychange >= 10 && Module1.earlychange <= 100, "earlychange outside 10..100");
    require(Module1.tickspeed >= 20 && Module1.tickspeed <= 80, "tickspeed outside 20..80");
    require(!Module1.midiinput || Module1.midiinputpos, "MIDI input without an input opened at start-up");
    // Whatever the file names, the stream holds an input: the saved one or
    // the one the start-up scan opened.
    require(Module1.s != nullptr, "the input stream is gone");
    const int64_t device = Module1.s->DeviceID();
    require(device >= 0 && device < SettingsProgram::inputs, "the input stream holds no input device");
    require(program->shownmessages().isEmpty(), "a message box for a file that could be read");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Qt keeps the arguments it is given; libFuzzer's options are none of its business.
    static int argc = 1;
    static char name[] = "settings_reader_fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication toolkit(argc, argv);
    static SettingsProgram settings;
    program = &settings;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    program->restart();
    {
        QFile file(program->settingsfile());
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the input could not be written");
        require(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size),
                "the input could not be written whole");
    }
    program->window().loaddata();
    requireranges();
    return 0;
}
