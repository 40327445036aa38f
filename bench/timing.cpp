// The timing benchmark: the real engine on the real window, with its real
// timers, tick clock and sound output, on an X server, through 16-bar tests
// at tempo 20 and 60 in both modes, idle and with every core busy, played by
// key taps injected through the X server. Prints one table of figures beside
// their goals and writes the same as JSON.
//
//   timing [--bars N] [--startups N] [--json PATH]
//
// With TIMING_TRACE set it also tells of slow events and late clock passes.

#include "cpuhog.h"
#include "keyinjector.h"
#include "report.h"
#include "session.h"
#include "soundprobe.h"
#include "startup.h"
#include "stats.h"
#include "testrun.h"
#include "wakeprobe.h"
#include "xdisplay.h"

#include "platform/sdlsoundoutput.h"
#include "shell/app.h"
#include "shell/module1.h"
#include "shell/window1.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace {

// With TIMING_TRACE set, tells on standard error of every event that kept
// the GUI thread for over a millisecond: what delays the clock's passes.
class TracingApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        if (!tracing) return QApplication::notify(receiver, event);
        const auto start = std::chrono::steady_clock::now();
        const int type = event->type();
        const bool handled = QApplication::notify(receiver, event);
        const double took = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (took > 1.0)
            std::fprintf(stderr, "event %d to %s %s took %.2f ms\n", type, receiver->metaObject()->className(),
                         qPrintable(receiver->objectName()), took);
        return handled;
    }
    static inline const bool tracing = std::getenv("TIMING_TRACE") != nullptr;
};

struct Options {
    int bars = 16;
    int startups = 5;
    std::string json;
};

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--bars")) options.bars = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--startups")) options.startups = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--json")) options.json = argv[i + 1];
    }
    return options;
}

double ownPeakRssMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return NAN;
}

struct LoadFigures {
    TestFigures pooled;
    BareWakeups bare;  // a bare timer's, just before the tests
    double cpuPercent = 0;  // the largest over the tests
    StartupFigures startup;
    bool completed = true;
};

void pool(TestFigures& into, const TestFigures& from) {
    auto append = [](auto& a, const auto& b) { a.insert(a.end(), b.begin(), b.end()); };
    append(into.clickLatenessMs, from.clickLatenessMs);
    append(into.listenLatenessMs, from.listenLatenessMs);
    append(into.clickOnlyLatenessMs, from.clickOnlyLatenessMs);
    append(into.listenOffbeatLatenessMs, from.listenOffbeatLatenessMs);
    append(into.soundDelayMs, from.soundDelayMs);
    append(into.pageChangeMs, from.pageChangeMs);
    append(into.barDrift, from.barDrift);
    append(into.tapDifference, from.tapDifference);
    into.tapsInjected += from.tapsInjected;
    into.tapsTaken += from.tapsTaken;
}

LoadFigures runLoad(bool busy, const Options& options, KeyInjector& injector, SoundProbe& probe) {
    LoadFigures load;
    CpuHog hog;
    if (busy) {
        hog.start(std::thread::hardware_concurrency());
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    load.bare = measureBareWakeups(10);
    const TestShape shapes[] = {{true, 20, options.bars}, {true, 60, options.bars},
                                {false, 20, options.bars}, {false, 60, options.bars}};
    for (const TestShape& shape : shapes) {
        const TestFigures f = runTest(shape, injector, probe);
        const double cpu = f.wallSeconds > 0 ? 100.0 * f.cpuSeconds / f.wallSeconds : NAN;
        std::fprintf(stderr, "%s %s tempo %lld: %s, %zu clicks and notes, %lld/%lld taps taken, CPU %.2f %%\n",
                     busy ? "busy" : "idle", shape.listenplay ? "listen-and-play" : "continuous",
                     static_cast<long long>(shape.tempo), f.completed ? "completed" : "NOT COMPLETED",
                     f.clickLatenessMs.size(), static_cast<long long>(f.tapsTaken),
                     static_cast<long long>(f.tapsInjected), cpu);
        load.completed = load.completed && f.completed;
        load.cpuPercent = std::max(load.cpuPercent, cpu);
        pool(load.pooled, f);
    }
    load.startup = measureStartup(QStringLiteral(TAPTRELL_PROGRAM_DIR), options.startups);
    hog.stop();
    return load;
}

double exactShare(const TestFigures& f) {
    if (f.tapsInjected == 0) return NAN;
    const auto exact = std::count(f.tapDifference.begin(), f.tapDifference.end(), int64_t(0));
    return 100.0 * double(exact) / double(f.tapsInjected);
}

double largestTapDifference(const TestFigures& f) {
    if (f.tapsTaken < f.tapsInjected) return NAN;  // a tap lost counts as no stamp at all
    std::vector<int64_t> magnitudes;
    for (int64_t d : f.tapDifference) magnitudes.push_back(d < 0 ? -d : d);
    return largest(magnitudes);
}

std::vector<FigureRow> rows(const LoadFigures& idle, const LoadFigures& busy, double peakRss) {
    auto both = [&](auto figure) { return std::pair<double, double>{figure(idle), figure(busy)}; };
    std::vector<FigureRow> out;
    auto add = [&](std::string key, std::string label, std::string unit, std::pair<double, double> values,
                   std::string goal = "", double goalValue = 0) {
        out.push_back({std::move(key), std::move(label), std::move(unit), values.first, values.second,
                       std::move(goal), goalValue});
    };
    add("click_lateness_p50", "click/LISTEN lateness p50", "ms",
        both([](const LoadFigures& l) { return percentile(l.pooled.clickLatenessMs, 50); }));
    add("click_lateness_p99", "click/LISTEN lateness p99", "ms",
        both([](const LoadFigures& l) { return percentile(l.pooled.clickLatenessMs, 99); }), "<=", 10.5);
    add("click_lateness_max", "click/LISTEN lateness max", "ms",
        both([](const LoadFigures& l) { return largest(l.pooled.clickLatenessMs); }), "<=", 12);
    add("click_only_lateness_p99", "  metronome clicks alone, p99", "ms",
        both([](const LoadFigures& l) { return percentile(l.pooled.clickOnlyLatenessMs, 99); }));
    add("click_only_lateness_max", "  metronome clicks alone, max", "ms",
        both([](const LoadFigures& l) { return largest(l.pooled.clickOnlyLatenessMs); }));
    add("listen_lateness_p99", "  LISTEN notes alone, p99", "ms",
        both([](const LoadFigures& l) { return percentile(l.pooled.listenLatenessMs, 99); }));
    add("listen_lateness_max", "  LISTEN notes alone, max", "ms",
        both([](const LoadFigures& l) { return largest(l.pooled.listenLatenessMs); }));
    add("listen_offbeat_lateness_max", "  LISTEN notes off the bar's first beat, max", "ms",
        both([](const LoadFigures& l) { return largest(l.pooled.listenOffbeatLatenessMs); }));
    add("clicks_measured", "  clicks and LISTEN notes measured", "",
        both([](const LoadFigures& l) { return double(l.pooled.clickLatenessMs.size()); }));
    add("bare_timer_wake_p99", "  a bare 10 ms timer on this machine, woken late p99", "ms",
        both([](const LoadFigures& l) { return percentile(l.bare.latenessMs, 99); }));
    add("bare_timer_wake_max", "  a bare 10 ms timer on this machine, woken late max", "ms",
        both([](const LoadFigures& l) { return largest(l.bare.latenessMs); }));
    add("bar_drift_max", "bar drift, largest", "ticks",
        both([](const LoadFigures& l) { return largest(l.pooled.barDrift); }), "==", 0);
    add("taps_exact", "taps stamped exactly", "%", both([](const LoadFigures& l) { return exactShare(l.pooled); }),
        ">=", 99);
    add("tap_difference_max", "tap stamp difference, largest", "ticks",
        both([](const LoadFigures& l) { return largestTapDifference(l.pooled); }), "<=", 1);
    add("taps_injected", "  taps injected", "",
        both([](const LoadFigures& l) { return double(l.pooled.tapsInjected); }));
    add("sound_buffer_configured", "sound buffer, configured", "frames",
        {double(platform::SdlSoundOutput::bufferFrames), double(platform::SdlSoundOutput::bufferFrames)}, "<=",
        512);
    add("sound_delay_p50", "play call to mixer, p50", "ms",
        both([](const LoadFigures& l) { return percentile(l.pooled.soundDelayMs, 50); }));
    add("sound_delay_p99", "play call to mixer, p99", "ms",
        both([](const LoadFigures& l) { return percentile(l.pooled.soundDelayMs, 99); }));
    add("sound_delay_max", "play call to mixer, max", "ms",
        both([](const LoadFigures& l) { return largest(l.pooled.soundDelayMs); }));
    add("page_change_p99", "page change p99", "ms",
        both([](const LoadFigures& l) { return percentile(l.pooled.pageChangeMs, 99); }), "<=", 2);
    add("page_change_max", "page change max", "ms",
        both([](const LoadFigures& l) { return largest(l.pooled.pageChangeMs); }));
    add("cpu_share", "CPU while a test runs, of one core", "%",
        both([](const LoadFigures& l) { return l.cpuPercent; }), "<=", 2);
    add("bare_timer_cpu", "  a bare 10 ms timer on this machine, CPU of one core", "%",
        both([](const LoadFigures& l) { return l.bare.cpuPercent; }));
    add("peak_rss", "peak resident memory", "MB", {peakRss, peakRss}, "<=", 80);
    add("program_peak_rss", "  the program alone, at rest", "MB",
        both([](const LoadFigures& l) { return l.startup.peakRssMb; }));
    add("startup_median", "start-up to main window, median", "ms",
        both([](const LoadFigures& l) { return percentile(l.startup.ms, 50); }));
    add("startup_max", "start-up to main window, slowest", "ms",
        both([](const LoadFigures& l) { return largest(l.startup.ms); }), "<=", 500);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    VirtualDisplay display;
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    // No sound card: SDL mixes into its dummy driver, which keeps real time.
    if (access("/dev/snd", F_OK) != 0) setenv("SDL_AUDIODRIVER", "dummy", 0);

    TracingApplication toolkit(argc, argv);
    QTemporaryDir scratch;
    SoundProbe probe;
    Taptrell application;
    if (!openMainWindow(application, scratch.path())) {
        std::fprintf(stderr, "timing: the main window never got the input focus on %s\n", display.name().c_str());
        return 2;
    }
    KeyInjector injector;

    const LoadFigures idle = runLoad(false, options, injector, probe);
    const LoadFigures busy = runLoad(true, options, injector, probe);
    const double peakRss = ownPeakRssMb();

    const std::vector<FigureRow> table = rows(idle, busy, peakRss);
    std::printf("Taptrell timing, %d-bar tests at tempo 20 and 60 in both modes, %s, %s\n", options.bars,
                machine().c_str(), utcNow().c_str());
    printTable(table);
    const std::string json = options.json.empty()
                                 ? QDir(QCoreApplication::applicationDirPath()).filePath("timing.json").toStdString()
                                 : options.json;
    writeJson(json, table, machine(), utcNow(), options.bars);
    std::printf("JSON: %s\n", json.c_str());

    Window1::destroy();
    setApp(nullptr);
    if (!idle.completed || !busy.completed) return 2;
    for (const FigureRow& row : table)
        if (!meets(row, row.idle) || !meets(row, row.busy)) return 1;
    return 0;
}
