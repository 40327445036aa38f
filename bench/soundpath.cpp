// The sound benchmark: what really comes out. It starts a sound server of its
// own (PulseAudio with a null sink), opens the real main window on it (its
// own Xvfb when DISPLAY is unset), plays 16-bar tests through it with key
// taps injected as in the timing benchmark, records the sink's monitor, and
// finds every click's, LISTEN note's and tap's onset in the recording to the
// sample. Beside it the bare reference (soundref) plays a metronome with the
// same buffer through the same server. It does so for each buffer size asked
// for, measures the program at rest, and prints one table.
//
//   soundpath [--bars N] [--buffers 256,512,1024|none] [--rest-seconds S]
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
    std::vector<int> buffers{256, 512, 1024};
    int restSeconds = 20;
    QString restProgram = QStringLiteral(TAPTRELL_PROGRAM_DIR);
    QString keep;  // a folder for every recording and what was played in it
};

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--bars")) options.bars = std::atoi(argv[i + 1]);
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
};

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

// One test of the real program, heard.
Heard playTest(const TestShape& shape, KeyInjector& injector, SoundProbe& probe, Waveforms& waves,
              const std::string& name) {
    Recorder recorder;
    Heard heard;
    if (!recorder.start()) return heard;
    const TestFigures f = runTest(shape, injector, probe);
    runEvents(2500);  // every sound dies away, then the device closes
    recorder.stop();
    if (!f.completed) {
        std::fprintf(stderr, "soundpath: the test did not complete\n");
        return heard;
    }
    std::vector<HeardPlay> plays;
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
    }
    heard.figures = analyse(recorder.samples(), recorder.measuredRate(), plays, double(shape.tempo) * 1000.0 / 60.0);
    keep(name, recorder.samples(), plays, waves.names(), heard.figures);
    const double recorderShare = recorder.seconds() > 0 ? recorder.cpuSeconds() / recorder.seconds() : 0;
    if (f.wallSeconds > 0) heard.cpuPercent = 100.0 * (f.cpuSeconds / f.wallSeconds - recorderShare);
    return heard;
}

// The bare reference: soundref with `frames` through the same server.
Heard playReference(int frames, double beatMs, int beats, Waveforms& waves) {
    const QDir resources(QDir(QStringLiteral(TAPTRELL_PROGRAM_DIR)).filePath(QStringLiteral("resources")));
    const QString hi = resources.filePath(QStringLiteral("hi.wav"));
    const QString low = resources.filePath(QStringLiteral("low.wav"));
    Recorder recorder;
    Heard heard;
    if (!recorder.start()) return heard;
    int out[2];
    if (pipe(out) != 0) return heard;
    {
        ChildProcess reference({QDir(QCoreApplication::applicationDirPath()).filePath("soundref").toStdString(),
                                std::to_string(frames), std::to_string(beatMs), std::to_string(beats),
                                hi.toStdString(), low.toStdString()},
                               out[1]);
        close(out[1]);
        if (reference.wait() != 0) std::fprintf(stderr, "soundpath: the reference player failed\n");
    }
    char said[128] = {};
    const ssize_t got = read(out[0], said, sizeof said - 1);
    close(out[0]);
    recorder.stop();
    double cpu = 0, wall = 0;
    if (got > 0 && std::sscanf(said, "%lf %lf", &cpu, &wall) == 2 && wall > 0) heard.cpuPercent = 100.0 * cpu / wall;
    std::vector<HeardPlay> plays;
    for (int beat = 0; beat < beats; ++beat) {
        HeardPlay p{waves.of(beat % 4 == 0 ? hi : low)};
        p.click = true;
        p.hi = beat % 4 == 0;
        plays.push_back(p);
    }
    heard.figures = analyse(recorder.samples(), recorder.measuredRate(), plays, beatMs);
    keep(std::to_string(frames) + "-reference", recorder.samples(), plays, waves.names(), heard.figures);
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
    row("drift over the test (ms)", [](const Heard& h) { return h.figures.driftMs; });
    if (listen) {
        row("LISTEN bar's first note after its hi click, max (samples)",
            [](const Heard& h) { return largest(h.figures.downbeatFrames); });
        row("LISTEN notes against hi click + due time, max (ms)",
            [](const Heard& h) { return largest(h.figures.listenDeviationMs); });
    }
    row("dropouts (count)", [](const Heard& h) { return double(h.figures.dropouts); });
    row("dropouts, total (ms)", [](const Heard& h) { return h.figures.dropoutMs; });
    row("CPU (% of a core)", [](const Heard& h) { return h.cpuPercent; });
    row("sink rate measured (Hz)", [](const Heard& h) { return h.figures.rate; });
    row("sounds played", [](const Heard& h) { return double(h.figures.plays); });
    row("  of them not found in the recording", [](const Heard& h) { return double(h.figures.notFound); });
    row("frames the sounds played do not explain", [](const Heard& h) { return double(h.figures.unexplained); });
}

// The buffer goals: no dropouts, CPU at most 2 % of a core during a test,
// interval p99 no worse than the reference at 256 frames plus the clock's
// pass phase (the pass that takes a beat comes up to 6 2/3 ms after its tick).
void printGoals(const std::vector<int>& buffers, const std::vector<Heard>& listen60,
                const std::vector<Heard>& continuous80, const std::vector<Heard>& reference) {
    const auto at256 = std::find(buffers.begin(), buffers.end(), 256);
    const double bound = at256 == buffers.end()
                             ? NAN
                             : percentile(reference[size_t(at256 - buffers.begin())].figures.intervalDeviationMs, 99) +
                                   20.0 / 3.0;
    std::printf("\ngoals: no dropouts; CPU <= 2 %%; click interval p99 <= %s ms (the reference's p99 at 256 "
                "frames + 6.67 ms)\n",
                number(bound).c_str());
    for (size_t i = 0; i < buffers.size(); ++i) {
        const Heard* runs[] = {&listen60[i], &continuous80[i]};
        std::string missed;
        for (const Heard* h : runs) {
            if (h->figures.dropouts > 0 && missed.find("dropouts") == std::string::npos) missed += " dropouts";
            if (!(h->cpuPercent <= 2.0) && missed.find("CPU") == std::string::npos) missed += " CPU";
            if (!(percentile(h->figures.intervalDeviationMs, 99) <= bound) &&
                missed.find("p99") == std::string::npos)
                missed += " p99";
        }
        std::printf("  %5d frames: %s\n", buffers[i], missed.empty() ? "meets all three" : ("missed:" + missed).c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    keepFolder = options.keep;
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
        const int referenceBeats = int(4 * (options.bars + 1));
        std::vector<Heard> listen60, continuous80, reference;
        for (int frames : options.buffers) {
            deviceClosed(5000);
            platform::SdlSoundOutput::instance().setBufferFrames(frames);
            std::vector<Heard>* into[] = {&listen60, &continuous80};
            for (size_t s = 0; s < 2; ++s) {
                server.checkRunning();
                std::fprintf(stderr, "soundpath: %d frames, %s at tempo %lld\n", frames,
                             shapes[s].listenplay ? "listen-and-play" : "continuous",
                             static_cast<long long>(shapes[s].tempo));
                into[s]->push_back(playTest(shapes[s], injector, probe, waves,
                                            std::to_string(frames) + (s == 0 ? "-listen60" : "-continuous80")));
            }
            server.checkRunning();
            std::fprintf(stderr, "soundpath: %d frames, the bare reference\n", frames);
            reference.push_back(playReference(frames, 1000.0, referenceBeats, waves));
        }
        const BareWakeups bareAfter = measureBareWakeups(10);

        std::printf("Taptrell sound path, %d-bar tests heard through PulseAudio (null sink), %s, %s\n", options.bars,
                    machine().c_str(), utcNow().c_str());
        if (!options.buffers.empty()) {
            std::vector<Row> rows;
            addHeardRows(rows, "program, listen-and-play at tempo 60", listen60, true);
            addHeardRows(rows, "program, continuous at tempo 80", continuous80, false);
            addHeardRows(rows, "bare SDL2_mixer reference, 1 s beats", reference, false);
            printRows(rows, options.buffers);
        }

        std::printf("\nthe program at rest, no test, %d s: CPU %s %% of a core, %s wake-ups a second\n",
                    options.restSeconds, number(rest.cpuPercent).c_str(), number(rest.wakeupsPerSecond).c_str());
        std::printf("sound device start, median %s ms, slowest %s ms\n", number(percentile(starts, 50)).c_str(),
                    number(largest(starts)).c_str());
        std::printf("a bare 10 ms timer on this machine, woken late p99 / max (ms): before %s / %s, after %s / %s\n",
                    number(percentile(bareBefore.latenessMs, 99)).c_str(), number(largest(bareBefore.latenessMs)).c_str(),
                    number(percentile(bareAfter.latenessMs, 99)).c_str(), number(largest(bareAfter.latenessMs)).c_str());

        if (!options.buffers.empty()) printGoals(options.buffers, listen60, continuous80, reference);
        Window1::destroy();
        setApp(nullptr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "soundpath: %s\n", e.what());
        return 2;
    }
    return 0;
}
