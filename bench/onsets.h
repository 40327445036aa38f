#pragma once
// Where each played sound starts in a recording of the sound server's output.
// The recording is a bit-exact sum of the samples played, each starting where
// the mixer started it, except where the server had no data in time: there it
// played silence (a run of exact zeros) and everything after came that much
// later. Walking the recording with a model of what should sound (the sounds
// found so far, each at its own position), every sample either matches the
// model, or a new sound starts there (the next plays in call order, one or
// several on the same sample), or the stream starved: the recording is zero
// where the model is not, and the model resumes after the run of zeros
// (where it stopped, or, had the server dropped what was due in the gap,
// that much further on).

#include <cstddef>
#include <cstdint>
#include <vector>

using Waveform = std::vector<int16_t>;  // one channel, at the recording's rate

struct Dropout {
    size_t at;      // the recording frame where the silence begins
    size_t frames;  // its length
};

struct Decomposition {
    std::vector<int64_t> onsets;  // the recording frame of each play's first sample; -1 if not found
    std::vector<Dropout> dropouts;
    size_t unexplained = 0;  // frames that neither the model nor a new sound or dropout explains
};

// `plays` in call order; each points at the waveform that play sounded.
Decomposition decompose(const std::vector<int16_t>& recording, const std::vector<const Waveform*>& plays);
