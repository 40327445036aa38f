// The sound benchmark: what really comes out. It starts a sound server of its
// own (PulseAudio with a null sink), opens the real main window on it (its
// own Xvfb when DISPLAY is unset), plays 16-bar tests through it with key
// taps injected as in the timing benchmark, records the sink's monitor, and
// finds every click's, LISTEN note's and tap's onset in the recording to the
// sample. After each test the bare reference (soundref) plays the same sounds
// with the same buffer through the same server, its clicks on their exact
// beats, so that both are heard for as long and with sound due as much of the
// time. The server's own log tells how often each stream ran dry. It does so
// for each buffer size asked for, measures the program at rest, and prints
// one table.
//
//   soundpath [--bars N] [--tests N] [--buffers 256,512,1024|none]
//             [--server-latency MS] [--rest-seconds S]
//             [--rest-program FOLDER] [--keep FOLDER]

#include "childprocess.h"
#include "heard.h"
#include "keyinjector.h"
#include "procstat.h"
#include "programcopy.h"
#include "programprocess.h"
#include "pulseserver.h"
#include "recorder.h"
#include "session.h"
#include "soundprobe.h"
#include "stats.h"
#include "testrun.h"
#include "wakeprobe.h"
#include "xdisplay.h"

#include "platform/sdlsoundoutput.h"
#include "shell/app.h"
#include "shell/window1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <SDL_mixer.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    int bars = 16;
    int tests = 4;  // of each kind, for each buffer size
    std::vector<int> buffers{256, 512, 1024};
    QString serverLatency;  // PULSE_LATENCY_MSEC as a user would set it; empty: the program's own
    int restSeconds = 20;
    QString restProgram = QStringLiteral(TAPTRELL_PROGRAM_DIR);
    QString keep;  // a folder for every recording and what was played in it
};

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--bars")) options.bars = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--tests")) options.tests = std::max(1, std::atoi(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--server-latency")) options.serverLatency = QString::fromLocal8Bit(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--rest-seconds")) options.restSeconds = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--rest-program")) options.restProgram = QString::fromLocal8Bit(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--keep")) options.keep = QString::fromLocal8Bit(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--buffers")) {
            options.buffers.clear();
            std::stringstream list(argv[i + 1]);
            // "none": the rest figures alone.
            for (std::string item; std::getline(list, item, ',');)
                if (std::atoi(item.c_str()) > 0) options.buffers.push_back(std::atoi(item.c_str()));
        }
    }
    return options;
}

void runEvents(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Waits, running events, until the program's sound device has closed.
bool deviceClosed(int limitMs) {
    QElapsedTimer waited;
    waited.start();
    while (platform::SdlSoundOutput::instance().deviceOpen() && waited.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return !platform::SdlSoundOutput::instance().deviceOpen();
}

// Every sound's samples as the mixer plays them: loaded through SDL2_mixer
// into the open device's format, its left channel.
class Waveforms {
public:
    const Waveform* of(const QString& path) {
        auto found = waves_.find(path);
        if (found != waves_.end()) return &found->second;
        auto& output = platform::SdlSoundOutput::instance();
        output.keepRunning(true);
        Waveform wave;
        if (Mix_Chunk* chunk = Mix_LoadWAV(path.toLocal8Bit().constData())) {
            const auto* samples = reinterpret_cast<const int16_t*>(chunk->abuf);
            for (size_t i = 0; i + 1 < chunk->alen / sizeof(int16_t); i += 2) wave.push_back(samples[i]);
            Mix_FreeChunk(chunk);
        }
        output.keepRunning(false);
        const Waveform* made = &waves_.emplace(path, std::move(wave)).first->second;
        names_[made] = QFileInfo(path).fileName();
        return made;
    }
    const std::map<const Waveform*, QString>& names() const { return names_; }

private:
    std::map<const Waveform*, QString> names_;
    std::map<QString, Waveform> waves_;
};

struct Heard {
    HeardFigures figures;
    double cpuPercent = NAN;
    ServerStreams server;   // what the sound server said of the run's streams
};

// One sound to play at a moment, for the bare reference.
struct Scheduled {
    double ms;  // after the first
    QString path;
    bool click = false, hi = false;
};

// Several runs as one: the samples pooled, the counts summed, the CPU the
// largest (the goal holds for every run), the drift the largest in size.
Heard combine(const std::vector<Heard>& runs) {
    Heard all;
    HeardFigures& f = all.figures;
    all.cpuPercent = runs.empty() ? NAN : 0;
    double rates = 0;
    for (const Heard& run : runs) {
        const HeardFigures& r = run.figures;
        auto pool = [](auto& into, const auto& from) { into.insert(into.end(), from.begin(), from.end()); };
        pool(f.intervalDeviationMs, r.intervalDeviationMs);
        pool(f.listenDeviationMs, r.listenDeviationMs);
        pool(f.downbeatFrames, r.downbeatFrames);
        pool(f.playToRecordingMs, r.playToRecordingMs);
        f.dropouts += r.dropouts;
        f.dropoutMs += r.dropoutMs;
        f.notFound += r.notFound;
        f.unexplained += r.unexplained;
        f.plays += r.plays;
        f.dueSeconds += r.dueSeconds;
        rates += r.rate;
        if (std::fabs(r.driftMs) > std::fabs(f.driftMs)) f.driftMs = r.driftMs;
        all.cpuPercent = std::isnan(run.cpuPercent) ? NAN : std::max(all.cpuPercent, run.cpuPercent);
        all.server.streams += run.server.streams;
        all.server.underruns += run.server.underruns;
        all.server.underrunsBeyondOne += run.server.underrunsBeyondOne;
        all.server.streamSeconds += run.server.streamSeconds;
        if (run.server.latencyMs >= 0) all.server.latencyMs = run.server.latencyMs;
    }
    f.rate = runs.empty() ? NAN : rates / double(runs.size());
    return all;
}

// Each play call's return to its first sample reaching the recorder.
std::vector<double> playToRecording(const Recorder& recorder, const std::vector<int64_t>& onsets,
                                    const std::vector<double>& callSeconds) {
    std::vector<double> ms;
    for (size_t i = 0; i < onsets.size() && i < callSeconds.size(); ++i) {
        const double heard = onsets[i] >= 0 ? recorder.frameSeconds(onsets[i]) : -1;
        if (heard >= 0) ms.push_back(1000.0 * (heard - callSeconds[i]));
    }
    return ms;
}

double steadySeconds(SteadyTime t) { return std::chrono::duration<double>(t.time_since_epoch()).count(); }

QString keepFolder;

// With --keep: the recording as raw 16-bit mono at 44.1 kHz ("NAME.raw"), and
// one line per play ("NAME.plays": sample file, click/listen, due tick, and
// the onset found, in frames).
void keep(const std::string& name, const std::vector<int16_t>& recording, const std::vector<HeardPlay>& plays,
          const std::map<const Waveform*, QString>& names, const HeardFigures& figures) {
    if (keepFolder.isEmpty()) return;
    QDir().mkpath(keepFolder);
    const std::string base = QDir(keepFolder).filePath(QString::fromStdString(name)).toStdString();
    if (FILE* raw = std::fopen((base + ".raw").c_str(), "wb")) {
        std::fwrite(recording.data(), sizeof(int16_t), recording.size(), raw);
        std::fclose(raw);
    }
    if (FILE* list = std::fopen((base + ".plays").c_str(), "w")) {
        for (size_t i = 0; i < plays.size(); ++i) {
            const auto found = names.find(plays[i].wave);
            std::fprintf(list, "%s %s %lld %lld\n", found == names.end() ? "?" : qPrintable(found->second),
                         plays[i].click ? "click" : plays[i].listen ? "listen" : "other",
                         static_cast<long long>(plays[i].due),
                         static_cast<long long>(i < figures.onsets.size() ? figures.onsets[i] : -1));
        }
        for (const Dropout& gap : figures.dropoutList)
            std::fprintf(list, "dropout %zu %zu\n", gap.at, gap.frames);
        std::fclose(list);
    }
}

// What the server said of the streams since `mark`, once the program's
// device has closed (the bare player's has, when it ends) and the server has
// logged it.
ServerStreams serverSince(const PulseServer& server, qint64 mark) {
    deviceClosed(5000);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return server.streamsSince(mark);
}

// One test of the real program, heard; `schedule` gets its plays for the
// bare reference, the clicks moved onto their exact beats.
Heard playTest(const TestShape& shape, KeyInjector& injector, SoundProbe& probe, Waveforms& waves,
               const PulseServer& server, const std::string& name, std::vector<Scheduled>& schedule) {
    Recorder recorder;
    Heard heard;
    schedule.clear();
    deviceClosed(5000);
    const qint64 mark = server.logMark();
    if (!recorder.start()) return heard;
    const TestFigures f = runTest(shape, injector, probe);
    runEvents(2500);  // every sound dies away, then the device closes
    recorder.stop();
    heard.server = serverSince(server, mark);
    if (!f.completed) {
        std::fprintf(stderr, "soundpath: the test did not complete\n");
        return heard;
    }
    const double beatMs = double(shape.tempo) * 1000.0 / 60.0;
    std::vector<HeardPlay> plays;
    std::vector<double> calls;
    for (size_t i = 0; i < probe.plays.size() && i < f.plays.size(); ++i) {
        const SoundProbe::Play& play = probe.plays[i];
        const PlayCause& cause = f.plays[i];
        HeardPlay p{waves.of(play.path)};
        const bool hi = play.name == QStringLiteral("hi.wav");
        p.click = hi || play.name == QStringLiteral("low.wav");  // the start's first click too
        p.hi = hi;
        p.listen = cause.kind == PlayKind::listen;
        p.downbeat = cause.downbeat;
        p.due = cause.due;
        plays.push_back(p);
        calls.push_back(steadySeconds(play.moment));
    }
    const auto first = std::find_if(plays.begin(), plays.end(), [](const HeardPlay& p) { return p.click; });
    const SteadyTime firstClick = first == plays.end() ? SteadyTime{} : probe.plays[size_t(first - plays.begin())].moment;
    int clicks = 0;
    for (size_t i = 0; i < plays.size(); ++i) {
        const double after = std::chrono::duration<double, std::milli>(probe.plays[i].moment - firstClick).count();
        schedule.push_back({plays[i].click ? clicks * beatMs : std::max(0.0, after), probe.plays[i].path,
                            plays[i].click, plays[i].hi});
        if (plays[i].click) ++clicks;
    }
    heard.figures = analyse(recorder.samples(), recorder.measuredRate(), plays, beatMs);
    heard.figures.playToRecordingMs = playToRecording(recorder, heard.figures.onsets, calls);
    keep(name, recorder.samples(), plays, waves.names(), heard.figures);
    const double recorderShare = recorder.seconds() > 0 ? recorder.cpuSeconds() / recorder.seconds() : 0;
    if (f.wallSeconds > 0) heard.cpuPercent = 100.0 * (f.cpuSeconds / f.wallSeconds - recorderShare);
    return heard;
}

// The bare reference: soundref with `frames` through the same server,
// playing `schedule`; with `sdlLatency`, the server asked for what SDL asks
// by itself.
Heard playReference(int frames, std::vector<Scheduled> schedule, double beatMs, Waveforms& waves,
                    const PulseServer& server, const std::string& name, bool sdlLatency = false) {
    Heard heard;
    std::stable_sort(schedule.begin(), schedule.end(),
                     [](const Scheduled& a, const Scheduled& b) { return a.ms < b.ms; });
    QTemporaryDir scratch;
    const QString listPath = QDir(scratch.path()).filePath(QStringLiteral("schedule"));
    {
        QFile list(listPath);
        if (schedule.empty() || !list.open(QIODevice::WriteOnly)) return heard;
        for (const Scheduled& play : schedule)
            list.write(QStringLiteral("%1 %2\n").arg(play.ms, 0, 'f', 3).arg(play.path).toLocal8Bit());
    }
    const qint64 mark = server.logMark();
    Recorder recorder;
    if (!recorder.start()) return heard;
    int out[2];
    if (pipe(out) != 0) return heard;
    std::string said;
    {
        std::vector<std::string> argv{QDir(QCoreApplication::applicationDirPath()).filePath("soundref").toStdString(),
                                      std::to_string(frames), listPath.toStdString()};
        if (sdlLatency) argv.push_back("sdl");
        ChildProcess reference(argv, out[1]);
        close(out[1]);
        char piece[4096];
        for (ssize_t got; (got = read(out[0], piece, sizeof piece)) > 0;) said.append(piece, size_t(got));
        if (reference.wait() != 0) std::fprintf(stderr, "soundpath: the reference player failed\n");
    }
    close(out[0]);
    recorder.stop();
    heard.server = serverSince(server, mark);
    std::istringstream lines(said);
    double cpu = 0, wall = 0;
    if (lines >> cpu >> wall && wall > 0) heard.cpuPercent = 100.0 * cpu / wall;
    std::vector<double> calls;
    for (long long ns; lines >> ns;) calls.push_back(double(ns) / 1e9);
    std::vector<HeardPlay> plays;
    for (const Scheduled& play : schedule) {
        HeardPlay p{waves.of(play.path)};
        p.click = play.click;
        p.hi = play.hi;
        plays.push_back(p);
    }
    heard.figures = analyse(recorder.samples(), recorder.measuredRate(), plays, beatMs);
    heard.figures.playToRecordingMs = playToRecording(recorder, heard.figures.onsets, calls);
    keep(name, recorder.samples(), plays, waves.names(), heard.figures);
    return heard;
}

struct Rest {
    double cpuPercent = NAN;
    double wakeupsPerSecond = NAN;
};

// The built program in a process of its own, open at rest with no test.
Rest measureRest(const QString& programFolder, int seconds) {
    Rest rest;
    QTemporaryDir scratch;
    ProgramProcess program(copyProgramFolder(programFolder, scratch.path()));
    // The window opens and its samples load; then the sound device may rest.
    std::this_thread::sleep_for(std::chrono::seconds(5));
    const double cpu = processCpuSeconds(program.pid());
    const long long switches = processContextSwitches(program.pid());
    const Clock::time_point start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    rest.cpuPercent = 100.0 * (processCpuSeconds(program.pid()) - cpu) / wall;
    rest.wakeupsPerSecond = double(processContextSwitches(program.pid()) - switches) / wall;
    return rest;
}

// How long the program's sound device takes to start (what keeping it
// running before a test or replay must leave time for), in ms.
std::vector<double> deviceStarts(int times) {
    std::vector<double> ms;
    auto& output = platform::SdlSoundOutput::instance();
    for (int i = 0; i < times && deviceClosed(5000); ++i) {
        const Clock::time_point start = Clock::now();
        output.keepRunning(true);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        output.keepRunning(false);
    }
    return ms;
}

// ---- the table ----

struct Row {
    std::string label;
    std::vector<double> values;  // one per buffer size
};

std::string number(double value) {
    if (std::isnan(value)) return "-";
    char text[32];
    std::snprintf(text, sizeof text, std::fabs(value - std::round(value)) < 1e-9 ? "%.0f" : "%.2f", value);
    return text;
}

void printRows(const std::vector<Row>& rows, const std::vector<int>& buffers) {
    size_t width = 6;
    for (const Row& row : rows) width = std::max(width, row.label.size());
    std::printf("%-*s", int(width), "buffer (frames)");
    for (int b : buffers) std::printf(" %9d", b);
    std::printf("\n");
    for (const Row& row : rows) {
        std::printf("%-*s", int(width), row.label.c_str());
        for (double v : row.values) std::printf(" %9s", number(v).c_str());
        std::printf("\n");
    }
}

void addHeardRows(std::vector<Row>& rows, const std::string& title, const std::vector<Heard>& runs, bool listen) {
    auto row = [&](std::string label, auto figure) {
        Row r{"  " + std::move(label), {}};
        for (const Heard& h : runs) r.values.push_back(figure(h));
        rows.push_back(std::move(r));
    };
    rows.push_back({title, {}});
    row("click interval deviation p50 (ms)", [](const Heard& h) { return percentile(h.figures.intervalDeviationMs, 50); });
    row("click interval deviation p99 (ms)", [](const Heard& h) { return percentile(h.figures.intervalDeviationMs, 99); });
    row("click interval deviation max (ms)", [](const Heard& h) { return largest(h.figures.intervalDeviationMs); });
    row("drift over a test, largest (ms)", [](const Heard& h) { return h.figures.driftMs; });
    if (listen) {
        row("LISTEN bar's first note after its hi click, max (samples)",
            [](const Heard& h) { return largest(h.figures.downbeatFrames); });
        row("LISTEN notes against hi click + due time, max (ms)",
            [](const Heard& h) { return largest(h.figures.listenDeviationMs); });
    }
    row("play call to the recording p50 (ms)", [](const Heard& h) { return percentile(h.figures.playToRecordingMs, 50); });
    row("play call to the recording p99 (ms)", [](const Heard& h) { return percentile(h.figures.playToRecordingMs, 99); });
    row("sound due (s)", [](const Heard& h) { return h.figures.dueSeconds; });
    row("dropouts heard (count)", [](const Heard& h) { return double(h.figures.dropouts); });
    row("dropouts heard, total (ms)", [](const Heard& h) { return h.figures.dropoutMs; });
    row("dropouts heard per second of sound due", [](const Heard& h) { return h.figures.dropoutsPerDueSecond(); });
    row("server: streams", [](const Heard& h) { return double(h.server.streams); });
    row("server: seconds of stream", [](const Heard& h) { return h.server.streamSeconds; });
    row("server: latency it settled on (ms)",
        [](const Heard& h) { return h.server.latencyMs < 0 ? NAN : h.server.latencyMs; });
    row("server: underruns", [](const Heard& h) { return double(h.server.underruns); });
    row("server: underruns per second of stream", [](const Heard& h) { return h.server.underrunsPerSecond(); });
    row("server: underruns beyond one a stream", [](const Heard& h) { return double(h.server.underrunsBeyondOne); });
    row("CPU, the largest of a run (% of a core)", [](const Heard& h) { return h.cpuPercent; });
    row("sink rate measured (Hz)", [](const Heard& h) { return h.figures.rate; });
    row("sounds played", [](const Heard& h) { return double(h.figures.plays); });
    row("  of them not found in the recording", [](const Heard& h) { return double(h.figures.notFound); });
    row("frames the sounds played do not explain", [](const Heard& h) { return double(h.figures.unexplained); });
}

// The columns of one kind of run: one Heard per buffer size.
struct Columns {
    std::vector<Heard> listen60, reference60, continuous80, reference80, sdlReference;
};

// The buffer goals: no underrun beyond the one each stream has as it closes,
// CPU at most 2 % of a core during a test, click interval p99 no worse than
// the bare player's (at 256 frames when measured) plus the clock's pass
// phase (the pass that takes a beat comes up to 6 2/3 ms after its tick),
// and at most 5 ms more from play call to sound than the bare player asking
// the server for what SDL asks by itself.
void printGoals(const std::vector<int>& buffers, const Columns& c) {
    const auto at256 = std::find(buffers.begin(), buffers.end(), 256);
    std::printf("\ngoals: no server underruns beyond one a stream; CPU <= 2 %%; click interval p99 <= the bare "
                "player's%s + 6.67 ms; play call to the recording p50 <= the bare player's as SDL asks + 5 ms\n",
                at256 == buffers.end() ? "" : " at 256 frames");
    for (size_t i = 0; i < buffers.size(); ++i) {
        const size_t ref = at256 == buffers.end() ? i : size_t(at256 - buffers.begin());
        const std::pair<const Heard*, const Heard*> tests[] = {{&c.listen60[i], &c.reference60[ref]},
                                                               {&c.continuous80[i], &c.reference80[ref]}};
        const double latencyBound = percentile(c.sdlReference[i].figures.playToRecordingMs, 50) + 5.0;
        std::string missed;
        auto miss = [&](const char* what) {
            if (missed.find(what) == std::string::npos) missed += std::string(" ") + what;
        };
        for (const auto& [program, bare] : tests) {
            if (program->server.underrunsBeyondOne > 0) miss("underruns");
            if (!(program->cpuPercent <= 2.0)) miss("CPU");
            if (!(percentile(program->figures.intervalDeviationMs, 99) <=
                  percentile(bare->figures.intervalDeviationMs, 99) + 20.0 / 3.0))
                miss("p99");
            if (!(percentile(program->figures.playToRecordingMs, 50) <= latencyBound)) miss("latency");
        }
        std::printf("  %5d frames: %s\n", buffers[i], missed.empty() ? "meets all four" : ("missed:" + missed).c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    keepFolder = options.keep;
    // As a user would set it: the program and the bare player keep it.
    if (!options.serverLatency.isEmpty()) setenv("PULSE_LATENCY_MSEC", qPrintable(options.serverLatency), 1);
    try {
        VirtualDisplay display;
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        PulseServer server;
        const BareWakeups bareBefore = measureBareWakeups(10);

        std::fprintf(stderr, "soundpath: the program at rest, %d s\n", options.restSeconds);
        const Rest rest = measureRest(options.restProgram, options.restSeconds);

        QApplication toolkit(argc, argv);
        QTemporaryDir scratch;
        SoundProbe probe;
        Taptrell application;
        if (!openMainWindow(application, scratch.path())) {
            std::fprintf(stderr, "soundpath: the main window never got the input focus\n");
            return 2;
        }
        KeyInjector injector;
        Waveforms waves;
        const std::vector<double> starts = deviceStarts(5);

        const TestShape shapes[] = {{true, 60, options.bars}, {false, 80, options.bars}};
        Columns columns;
        for (int frames : options.buffers) {
            deviceClosed(5000);
            platform::SdlSoundOutput::instance().setBufferFrames(frames);
            std::vector<Heard> program[2], bare[2];
            std::vector<Scheduled> schedule;
            for (int test = 1; test <= options.tests; ++test) {
                for (size_t s = 0; s < 2; ++s) {
                    server.checkRunning();
                    const std::string name =
                        std::to_string(frames) + (s == 0 ? "-listen60-" : "-continuous80-") + std::to_string(test);
                    std::fprintf(stderr, "soundpath: %d frames, %s at tempo %lld, test %d of %d, then the bare player\n",
                                 frames, shapes[s].listenplay ? "listen-and-play" : "continuous",
                                 static_cast<long long>(shapes[s].tempo), test, options.tests);
                    program[s].push_back(playTest(shapes[s], injector, probe, waves, server, name, schedule));
                    server.checkRunning();
                    const double beatMs = double(shapes[s].tempo) * 1000.0 / 60.0;
                    bare[s].push_back(playReference(frames, schedule, beatMs, waves, server, name + "-reference"));
                }
            }
            // The play-to-sound latency of SDL's own request, for the cost of
            // asking for more: the last continuous test's plays once more.
            std::fprintf(stderr, "soundpath: %d frames, the bare player as SDL asks\n", frames);
            columns.sdlReference.push_back(playReference(frames, schedule, double(shapes[1].tempo) * 1000.0 / 60.0,
                                                         waves, server, std::to_string(frames) + "-sdl-reference",
                                                         true));
            columns.listen60.push_back(combine(program[0]));
            columns.reference60.push_back(combine(bare[0]));
            columns.continuous80.push_back(combine(program[1]));
            columns.reference80.push_back(combine(bare[1]));
        }
        const BareWakeups bareAfter = measureBareWakeups(10);

        std::printf("Taptrell sound path, %d x 2 %d-bar tests a buffer size heard through PulseAudio (null sink), "
                    "server latency %s, %s, %s\n",
                    options.tests, options.bars,
                    options.serverLatency.isEmpty() ? "as the program asks"
                                                    : qPrintable(QStringLiteral("PULSE_LATENCY_MSEC=") +
                                                                 options.serverLatency),
                    machine().c_str(), utcNow().c_str());
        if (!options.buffers.empty()) {
            std::vector<Row> rows;
            addHeardRows(rows, "program, listen-and-play at tempo 60", columns.listen60, true);
            addHeardRows(rows, "bare player, the same plays", columns.reference60, false);
            addHeardRows(rows, "program, continuous at tempo 80", columns.continuous80, false);
            addHeardRows(rows, "bare player, the same plays", columns.reference80, false);
            addHeardRows(rows, "bare player as SDL asks, one continuous test's plays", columns.sdlReference, false);
            printRows(rows, options.buffers);
        }

        std::printf("\nthe program at rest, no test, %d s: CPU %s %% of a core, %s wake-ups a second\n",
                    options.restSeconds, number(rest.cpuPercent).c_str(), number(rest.wakeupsPerSecond).c_str());
        std::printf("sound device start, median %s ms, slowest %s ms\n", number(percentile(starts, 50)).c_str(),
                    number(largest(starts)).c_str());
        std::printf("a bare 10 ms timer on this machine, woken late p99 / max (ms): before %s / %s, after %s / %s\n",
                    number(percentile(bareBefore.latenessMs, 99)).c_str(), number(largest(bareBefore.latenessMs)).c_str(),
                    number(percentile(bareAfter.latenessMs, 99)).c_str(), number(largest(bareAfter.latenessMs)).c_str());

        if (!options.buffers.empty()) printGoals(options.buffers, columns);
        Window1::destroy();
        setApp(nullptr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "soundpath: %s\n", e.what());
        return 2;
    }
    return 0;
}
