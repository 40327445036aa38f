#include "testrun.h"

#include "keyinjector.h"
#include "soundprobe.h"

#include "platform/text.h"
#include "platform/ticks.h"
#include "shell/module1.h"
#include "shell/window1.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <time.h>

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

const bool tracing = std::getenv("TIMING_TRACE") != nullptr;

// Runs the event loop for `ms` at most, or until `loop` is quit.
void runEvents(QEventLoop& loop, int limitMs) {
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

TestFigures runTest(const TestShape& shape, KeyInjector& injector, SoundProbe& probe) {
    Window1& w = Window1::instance();
    w.listenplay = shape.listenplay;
    w.bars = shape.bars;
    Module1.tickspeed = shape.tempo;
    // The widest level: the painter draws from every rhythm group.
    Module1.stlevel = 0;
    Module1.level = 30;

    TestFigures f;
    std::vector<PlayCause> causes;
    std::vector<int64_t> barstarts;
    bool inpass = false, inkey = false, started = false, ended = false;
    int64_t origin = 0, lastbeat = 0, scheduled = 0, keycalls = 0;
    Clock::time_point passstart, wallstart;
    QEventLoop testloop;
    double cpustart = 0, injectorstart = 0;

    probe.clear();
    injector.clearInjected();
    probe.tagger = [&](const QString& path) {
        PlayCause cause{PlayKind::other, 0};
        const QString name = QFileInfo(path).fileName();
        if (inkey) {
            cause.kind = PlayKind::tap;
        } else if (inpass && (name == QStringLiteral("hi.wav") || name == QStringLiteral("low.wav"))) {
            // A beat falls due one beat after the tick on which the one before
            // it was taken; the clock has just noted this one's.
            cause = {PlayKind::click, lastbeat + w.ts(60)};
            lastbeat = Module1.startruntime + w.lastticktime;
            if (name == QStringLiteral("hi.wav")) barstarts.push_back(Module1.startruntime);
        } else if (inpass) {
            const int row = int(w.lastnotesounded);
            const int64_t due = platform::ValInteger(w.notelist->Cell(row, 0));
            cause = {PlayKind::listen, w.continuoustime + due, due % (w.ts(60) * w.beatsinbar) == 0};
        }
        causes.push_back(cause);
        return int(causes.size() - 1);
    };

    const auto clockAction = w.Timer1.Action;
    w.Timer1.Action = [&] {
        passstart = Clock::now();
        if (!started) {
            started = true;
            origin = Module1.startruntime;  // the count-in's first beat
            lastbeat = origin;
            barstarts.push_back(origin);
            wallstart = passstart;
            cpustart = processCpuSeconds();
            injectorstart = injector.cpuSeconds();
        }
        inpass = true;
        const size_t rowsbefore = size_t(w.notelist->ListCount());
        clockAction();
        inpass = false;
        if (tracing) {
            static Clock::time_point lastpass;
            const double took = ms(Clock::now() - passstart);
            const double gap = ms(passstart - lastpass);
            if (took > 2 || gap > 11.5)
                std::fprintf(stderr, "pass took %.2f ms, %.2f ms after the last, rows %zu -> %d\n", took, gap,
                             rowsbefore, w.notelist->ListCount());
            lastpass = passstart;
        }
        // Every note gets a tap aimed at the moment the tick counter reaches
        // the tick on which the note is due in its playing bar.
        const int64_t barticks = w.ts(60) * w.beatsinbar;
        for (; scheduled < w.notelist->ListCount(); ++scheduled) {
            const int64_t due = platform::ValInteger(w.notelist->Cell(int(scheduled), 0));
            const int64_t at = w.listenplay ? origin + (due / barticks + 2) * barticks + due : origin + barticks + due;
            injector.schedule(platform::TickMoment(at));
            ++f.tapsInjected;
        }
        if (!w.Timer1.Enabled() && !ended) {
            ended = true;
            f.completed = true;
            f.wallSeconds = ms(Clock::now() - wallstart) / 1000.0;
            f.cpuSeconds = (processCpuSeconds() - cpustart) - (injector.cpuSeconds() - injectorstart);
            // The last bar runs to the end of the test, not to a bar end.
            for (size_t i = 1; i < barstarts.size(); ++i)
                f.barDrift.push_back(barstarts[i] - barstarts[i - 1] - barticks);
            testloop.quit();
        }
    };

    const auto paint = w.Canvas1->Paint;
    w.Canvas1->Paint = [&](platform::Graphics& g) {
        const bool generating = w.Timer1.Enabled() && !w.prestarttimer.Enabled();
        paint(g);
        if (generating && inpass) f.pageChangeMs.push_back(ms(Clock::now() - passstart));
    };

    const auto keydown = w.TextField1->KeyDown;
    w.TextField1->KeyDown = [&](const QString& key) {
        const size_t index = size_t(keycalls++);
        const int64_t row = Module1.allnotes;
        const int64_t taken = w.notesplayedsofar;
        const int64_t continuoustime = w.continuoustime;
        const int64_t barticks = w.ts(60) * w.beatsinbar;
        inkey = true;
        const bool consumed = keydown(key);
        inkey = false;
        if (w.notesplayedsofar > taken && row < w.notelist->ListCount()) {
            ++f.tapsTaken;
            const int64_t played = platform::ValInteger(w.notelist->Cell(int(row), 1)) + continuoustime + barticks;
            SteadyTime sent;
            if (injector.injectedAt(index, sent)) f.tapDifference.push_back(played - platform::TickAt(sent));
        }
        return consumed;
    };

    w.BevelButton1_Action();  // START, as the button's press runs it
    const int64_t barticks = shape.tempo * 4;
    const int64_t bartimes = shape.listenplay ? 2 * shape.bars + 1 : shape.bars + 1;
    const int limit = int(2000 + bartimes * barticks * 1000 / 60 + 10000);
    runEvents(testloop, limit);
    // The last taps' samples and clicks reach the mixer a few ms later.
    QEventLoop settle;
    runEvents(settle, 100);

    w.Timer1.Action = clockAction;
    w.Canvas1->Paint = paint;
    w.TextField1->KeyDown = keydown;
    probe.tagger = nullptr;
    if (!ended) {
        // Stopped by the limit: whatever ran is not a measurement.
        w.BevelButton1_Action();
        return f;
    }
    if (size_t(keycalls) != injector.injectedCount())
        f.completed = false;  // a key press that never reached the program

    const std::vector<double> delays = probe.delaysMs(probe.plays);
    for (size_t i = 0; i < probe.plays.size(); ++i) {
        const SoundProbe::Play& play = probe.plays[i];
        if (delays[i] >= 0) f.soundDelayMs.push_back(delays[i]);
        const bool known = play.tag >= 0 && size_t(play.tag) < causes.size();
        f.plays.push_back(known ? causes[size_t(play.tag)] : PlayCause{PlayKind::other, 0});
        if (!known) continue;
        const PlayCause& cause = causes[size_t(play.tag)];
        if (cause.kind != PlayKind::click && cause.kind != PlayKind::listen) continue;
        const double late = ms(play.moment - platform::TickMoment(cause.due));
        f.clickLatenessMs.push_back(late);
        if (cause.kind == PlayKind::click) f.clickOnlyLatenessMs.push_back(late);
        if (cause.kind == PlayKind::listen) f.listenLatenessMs.push_back(late);
        if (cause.kind == PlayKind::listen && !cause.downbeat) f.listenOffbeatLatenessMs.push_back(late);
    }
    return f;
}
