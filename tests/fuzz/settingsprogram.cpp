#include "settingsprogram.h"

#include "midi/standin/notelink_standin.h"
#include "midi/standin/portmidi_standin.h"
#include "platform/portmidiclasses.h"
#include "shell/window1.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "settings program: %s\n", what);
    std::abort();
}

}  // namespace

SettingsProgram::SettingsProgram() {
    portmidi_standin::reset();
    for (int64_t i = 0; i < inputs; ++i) portmidi_standin::addInput("Keys " + std::to_string(i));
    portmidi_standin::addOutput("Synth");  // a device number that names no input
    if (!portmidi_standin::loadFreshNotelink()) fail("the stand-in Notelink did not load");
    QFile::remove(settingsfile());
    window_ = &openWindow();
    if (!Module1.midiinputpos || !Module1.s || Module1.s->DeviceID() != scannedinput)
        fail("the start-up scan did not open the last input");
    opened_ = Module1;
}

SettingsProgram::~SettingsProgram() {
    Window1::destroy();
    opened_ = Module1State{};
    Module1 = Module1State{};
    portmidi_standin::reset();
}

void SettingsProgram::restart() {
    Module1 = opened_;
    if (Module1.s->OpenInput(scannedinput, 100) != 0) fail("the scanned input did not open again");
    window_->listenplay = true;
    messages.clear();
}

QString SettingsProgram::settingsfile() const { return QDir(programFolder()).filePath(QStringLiteral("mydata.txt")); }
