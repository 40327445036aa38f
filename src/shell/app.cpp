#include "shell/app.h"

#include "platform/exceptions.h"

namespace {
Taptrell* running = nullptr;
}

Taptrell::Taptrell() = default;

void Taptrell::Event_Open() { Randomizer = std::make_shared<platform::Random>(); }

Taptrell& App() {
    if (!running) throw platform::NilObjectException("no application object");
    return *running;
}

void setApp(Taptrell* app) { running = app; }
