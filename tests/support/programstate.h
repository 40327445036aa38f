#pragma once
// What a restart of the program forgets: its main window, the catalogue's
// pictures and sounds, and every program-wide setting back at its default.
// Header only, so the end-to-end tests, which have their own main, share it.

#include "shell/catalogue.h"
#include "shell/module1.h"
#include "shell/window1.h"

inline void forgetProgramState() {
    Window1::destroy();
    catalogue::clear();
    Module1 = Module1State{};
}
