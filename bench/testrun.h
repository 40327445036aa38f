#pragma once
// One whole test run by the real engine on the real window, with its real
// timers and tick clock, played by key taps injected through the X server at
// the due moments, and what it measured.

#include <cstdint>
#include <vector>

class KeyInjector;
class SoundProbe;

struct TestShape {
    bool listenplay;
    int64_t tempo;  // ticks per beat
    int64_t bars;
};

// What a play call was, told apart by where it was made: a click or a
// LISTEN note inside a clock pass (each with the tick it fell due on), a
// tap's sample inside the key handler, anything else outside both (the
// start's first click).
enum class PlayKind { click, listen, tap, other };
struct PlayCause {
    PlayKind kind;
    int64_t due;  // the tick on which a click or LISTEN note fell due
    bool downbeat = false;  // a LISTEN note on its bar's first tick
};

struct TestFigures {
    std::vector<double> clickLatenessMs;   // metronome clicks and LISTEN notes
    std::vector<double> clickOnlyLatenessMs;      // the metronome clicks alone
    std::vector<double> listenLatenessMs;         // the LISTEN notes alone
    std::vector<double> listenOffbeatLatenessMs;  // LISTEN notes not on a bar's first tick
    std::vector<double> soundDelayMs;      // every play call to the mix that carries it
    std::vector<double> pageChangeMs;      // clock pass start to the next bar drawn
    std::vector<int64_t> barDrift;         // ticks each bar outlasted its length
    int64_t tapsInjected = 0;
    int64_t tapsTaken = 0;                 // accepted by the tap handler
    std::vector<int64_t> tapDifference;    // played tick less the injection's tick
    std::vector<PlayCause> plays;          // one per play the probe recorded, in its order
    double cpuSeconds = 0;                 // the program's, the injector's left out
    double wallSeconds = 0;
    bool completed = false;
};

// Runs one test on the open Window1; `injector` and `probe` are installed.
TestFigures runTest(const TestShape& shape, KeyInjector& injector, SoundProbe& probe);
