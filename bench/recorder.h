#pragma once
// What the sound server really played: parec on the null sink's monitor,
// 16-bit stereo at the sink's rate, read by a thread of the benchmark that
// also notes when each piece arrived, so that the sink's own rate can be
// measured against the steady clock (it runs a few hundred ppm off it).

#include "childprocess.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class Recorder {
public:
    Recorder() = default;
    ~Recorder() { stop(); }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Starts recording afresh; false when parec could not be started.
    bool start();
    void stop();

    // The left channel of what was recorded (the program's sounds are mono,
    // played on both channels alike).
    const std::vector<int16_t>& samples() const { return left_; }
    // Frames in which the two channels differ (0 when all is mono).
    int64_t unevenFrames() const { return uneven_; }
    // The sink's frames per second of the steady clock over the recording:
    // a straight line fitted through every piece's arrival, once stopped.
    double measuredRate() const;
    // The steady-clock moment (seconds since its epoch) at which `frame` of
    // the recording reached the recorder, on that line; -1 when too little
    // was recorded to tell.
    double frameSeconds(int64_t frame) const;
    double seconds() const;
    // CPU time of the reading thread, to be left out of the program's.
    double cpuSeconds() const { return cpu_; }

private:
    struct Line {
        double rate = 0;     // frames per second
        double seconds = 0;  // a moment on it ...
        double frames = 0;   // ... and the frames recorded by then
    };
    Line fit() const;
    Line line_;  // fitted when the recording stops
    bool startOnce();
    void read(int fd);

    std::unique_ptr<ChildProcess> parec_;
    std::thread reader_;
    std::vector<int16_t> left_;
    int64_t uneven_ = 0;
    std::vector<std::pair<int64_t, int64_t>> arrivals_;  // steady ns, frames so far
    double cpu_ = 0;
};
