#include "heard.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Frames covered by at least one play, from its onset to its last sample.
size_t dueFrames(const std::vector<HeardPlay>& plays, const std::vector<int64_t>& onsets) {
    std::vector<std::pair<int64_t, int64_t>> spans;
    for (size_t i = 0; i < plays.size(); ++i)
        if (onsets[i] >= 0) spans.push_back({onsets[i], onsets[i] + int64_t(plays[i].wave->size())});
    std::sort(spans.begin(), spans.end());
    size_t covered = 0;
    int64_t reached = 0;
    for (const auto& [from, to] : spans) {
        const int64_t start = std::max(from, reached);
        if (to > start) covered += size_t(to - start);
        reached = std::max(reached, to);
    }
    return covered;
}

}  // namespace

HeardFigures analyse(const std::vector<int16_t>& recording, double rate, const std::vector<HeardPlay>& plays,
                     double beatMs) {
    HeardFigures f;
    f.rate = rate;
    f.plays = plays.size();
    std::vector<const Waveform*> waves;
    for (const HeardPlay& p : plays) waves.push_back(p.wave);
    const Decomposition d = decompose(recording, waves);
    f.unexplained = d.unexplained;
    f.onsets = d.onsets;
    f.dropoutList = d.dropouts;
    f.dropouts = d.dropouts.size();
    for (const Dropout& gap : d.dropouts) f.dropoutMs += double(gap.frames) * 1000.0 / rate;
    auto ms = [&](int64_t frames) { return double(frames) * 1000.0 / rate; };

    int64_t firstClick = -1, lastClick = -1, clicks = 0, previous = -1;
    int64_t hiOnset = -1, hiDue = 0;
    for (size_t i = 0; i < plays.size(); ++i) {
        const HeardPlay& p = plays[i];
        const int64_t at = d.onsets[i];
        if (at < 0) {
            ++f.notFound;
            if (p.click) previous = -1;  // no interval across a click not heard
            continue;
        }
        if (p.click) {
            if (previous >= 0) f.intervalDeviationMs.push_back(std::fabs(ms(at - previous) - beatMs));
            previous = at;
            if (firstClick < 0) firstClick = at;
            lastClick = at;
            ++clicks;
            if (p.hi) {
                hiOnset = at;
                hiDue = p.due;
            }
        }
        if (p.listen && hiOnset >= 0 && hiDue > 0) {
            const double offsetMs = double(p.due - hiDue) * 1000.0 / 60.0;
            f.listenDeviationMs.push_back(std::fabs(ms(at - hiOnset) - offsetMs));
            if (p.downbeat) f.downbeatFrames.push_back(at - hiOnset);
        }
    }
    f.dueSeconds = double(dueFrames(plays, d.onsets)) / rate;
    if (clicks > 1) f.driftMs = ms(lastClick - firstClick) - double(clicks - 1) * beatMs;
    return f;
}
