#pragma once
// A fresh program with its main window open, and the few moves an engine
// test makes: pressing the START button, tapping a key, filling the note
// table by hand, and reading back the sounds played.

#include "shell/module1.h"
#include "shell/window1.h"
#include "support/appfixture.h"

#include <QString>
#include <cstdint>
#include <vector>

class EngineTest : public AppFixture {
protected:
    EngineTest();

    Window1& w;

    // A note row as the note entry writes it: due tick, pitch, code.
    void addnote(int64_t due, int64_t pitch = 0, const QString& code = QString());
    QString cell(int row, int column) const;

    // The START / STOP button as the player presses it.
    void press();
    // START, then the two-second delay: the test has just started. Returns
    // the tick at which it started (the count-in's first beat).
    int64_t starttestnow();

    // Moves on to the first clock pass that reads `tick` and past it, so that
    // what the clock does at that tick is done.
    void afterpass(int64_t tick);
    int64_t passes = 0;  // clock passes so far
    // Moves on to the last moment before the tick count reads `tick`.
    void beforetick(int64_t tick);

    // A key pressed in TextField1 now; true when the handler consumed it.
    bool tap();
    // A key pressed at the first moment the tick count reads `tick`.
    bool tapat(int64_t tick);

    // Ticks of the plays of one file ("hi.wav", "c.wav"), in order.
    std::vector<int64_t> playsof(const QString& name) const;
    // Every instrument sample played, as (pitch index, tick), in order.
    struct SamplePlay {
        int64_t pitch;
        int64_t tick;
        bool operator==(const SamplePlay&) const = default;
    };
    std::vector<SamplePlay> samplesplayed() const;

    // The label's caption and colour.
    QString labeltext() const;
    QRgb labelcolour() const;

    // Runs the test clock until Timer1 stops (the test's end), at most `ms`.
    void rununtilend(int64_t ms = 600000);
};
