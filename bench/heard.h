#pragma once
// The figures of one recording of the sound server's output: where each play
// was heard (onsets.h), turned into the intervals between clicks, the drift
// over the run, the LISTEN notes against their bar's hi click, and the
// dropouts, in milliseconds of the steady clock (sample positions converted
// with the sink's rate measured during the recording), and how long sound was
// due in it.

#include "onsets.h"

#include <cstdint>
#include <vector>

struct HeardPlay {
    const Waveform* wave;
    bool click = false;   // a metronome click
    bool hi = false;      // the high click, on a bar's first beat
    bool listen = false;  // a LISTEN note
    bool downbeat = false;  // a LISTEN note on its bar's first tick
    int64_t due = 0;      // the tick a click or LISTEN note fell due on (clicks: 0 when unknown)
};

struct HeardFigures {
    std::vector<double> intervalDeviationMs;  // each click interval less the beat, magnitude
    double driftMs = 0;                       // first to last click, less the whole beats between
    std::vector<double> listenDeviationMs;    // LISTEN note after its hi click, less its due offset, magnitude
    std::vector<int64_t> downbeatFrames;      // a LISTEN bar's first note after its hi click, in frames
    std::vector<int64_t> onsets;  // each play's, in recording frames (-1: not found)
    std::vector<Dropout> dropoutList;
    size_t dropouts = 0;
    double dropoutMs = 0;
    size_t notFound = 0;     // plays whose onset was not found
    size_t unexplained = 0;  // frames the plays do not explain
    size_t plays = 0;
    double rate = 0;         // the sink's frames per steady second
    // How long sound was due: the recording's frames inside at least one
    // sound found, in seconds. A dropout can only be seen there.
    double dueSeconds = 0;
    double dropoutsPerDueSecond() const { return dueSeconds > 0 ? double(dropouts) / dueSeconds : 0; }
    // Each play call's return to its first sample's arrival in the recording.
    std::vector<double> playToRecordingMs;
};

HeardFigures analyse(const std::vector<int16_t>& recording, double rate, const std::vector<HeardPlay>& plays,
                     double beatMs);
