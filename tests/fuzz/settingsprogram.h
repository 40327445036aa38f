#pragma once
// The program as the settings file sees it, for the fuzz target and the tool
// that writes its seeds: the tests' program fixture (a scratch program
// folder, recorded sounds and message boxes) with MIDI over the PortMidi
// stand-in, so that a file's MIDI lines reach a real reopen, and the main
// window opened once.

#include "support/appfixture.h"
#include "shell/module1.h"

#include <QString>

class SettingsProgram : public AppFixture {
public:
    // The inputs the start-up scan finds (then one output); the scan leaves
    // the last input open on s.
    static constexpr int64_t inputs = 3;
    static constexpr int64_t scannedinput = inputs - 1;

    SettingsProgram();
    ~SettingsProgram() override;

    Window1& window() { return *window_; }
    // Puts the program-wide state back as the window's opening left it, the
    // scanned input open on s again.
    void restart();
    QString settingsfile() const;
    // The message boxes shown since the last restart.
    const QStringList& shownmessages() const { return messages; }

private:
    void TestBody() override {}

    Window1* window_ = nullptr;
    Module1State opened_;
};
