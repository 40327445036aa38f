// The two time scales of a test and the pitch walk.
//
// Ticks (sixtieths of a second) time everything that happens; beat-sixtieths
// place notes inside a beat whatever the tempo. The conversions work in
// double precision in a fixed order (divide first, then multiply) and
// truncate toward zero, so that every tick stored in the note table comes out
// the same on every run: the scoring, the results graph and the replay all
// compare against those stored ticks.

#include "shell/window1.h"

#include "platform/text.h"
#include "shell/app.h"
#include "shell/module1.h"

namespace {

// (a / 60) * tempo, truncated toward zero.
int64_t sixtiethsToTicks(int64_t beatsixtieths, int64_t tempo) {
    return platform::truncateToInteger((double(beatsixtieths) / 60.0) * double(tempo));
}

// (t / tempo) * 60, truncated toward zero. No test has a tempo of 0 or less
// (the first test sets it), but a tempo read from a damaged settings file
// must not turn into a division by zero: such a tempo places everything at 0.
int64_t ticksToSixtieths(int64_t ticks, int64_t tempo) {
    if (tempo <= 0) return 0;
    return platform::truncateToInteger((double(ticks) / double(tempo)) * 60.0);
}

}  // namespace

int64_t Window1::ts(int64_t beatsixtieths) const {
    return sixtiethsToTicks(beatsixtieths, Module1.lasttesttickspeed);
}

int64_t Window1::tempoplace(int64_t ticks) const {
    return ticksToSixtieths(ticks, Module1.lasttesttickspeed);
}

int64_t Window1::replayts(int64_t tick) const {
    // Reduced to whole beat-sixtieths at the test's tempo first, so a replay
    // at an unchanged tempo can lose a tick, as the recorded grid does.
    return sixtiethsToTicks(tempoplace(tick), Module1.tickspeed);
}

int64_t Window1::replaymetts(int64_t beatsixtieths) const {
    return sixtiethsToTicks(beatsixtieths, Module1.tickspeed);
}

QString Window1::createnote(int64_t p) {
    // A walk over the seven samples that never repeats a pitch: small steps
    // around the middle, and from either end only back inward.
    struct Step {
        int64_t lo;
        int64_t hi;
    };
    static constexpr Step steps[7] = {{1, 2}, {0, 2}, {0, 4}, {2, 4}, {0, 5}, {4, 6}, {4, 5}};
    if (p < 0 || p > 6) return QStringLiteral("0");
    const Step step = steps[p];
    platform::Random& random = *App().Randomizer;
    int64_t next = random.InRange(step.lo, step.hi);
    while (next == p) next = random.InRange(step.lo, step.hi);
    return platform::Str(next);
}
