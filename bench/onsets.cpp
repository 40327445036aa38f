#include "onsets.h"

#include <algorithm>

namespace {

// Frames compared before a guess (a new sound, the end of a dropout) is
// taken: far fewer than a mixing buffer, after which the next sound may start.
constexpr size_t lookahead = 48;
// Sounds that may start on one sample: a click, a LISTEN note, a tap.
constexpr size_t mostAtOnce = 4;

struct Voice {
    const Waveform* wave;
    size_t position;  // the next sample of it to sound
};

// The mixer's sum, `ahead` frames on, clipped as it clips.
int32_t mixed(const std::vector<Voice>& voices, size_t ahead) {
    int32_t sum = 0;
    for (const Voice& v : voices)
        if (v.position + ahead < v.wave->size()) sum += (*v.wave)[v.position + ahead];
    return std::clamp<int32_t>(sum, INT16_MIN, INT16_MAX);
}

// How many frames from `at` on (up to the lookahead) the voices explain.
size_t agreeing(const std::vector<int16_t>& rec, size_t at, const std::vector<Voice>& voices) {
    const size_t end = std::min(rec.size(), at + lookahead);
    size_t r = at;
    while (r < end && rec[r] == mixed(voices, r - at)) ++r;
    return r - at;
}

bool matches(const std::vector<int16_t>& rec, size_t at, const std::vector<Voice>& voices) {
    return agreeing(rec, at, voices) == std::min(lookahead, rec.size() - at);
}

size_t leadingZeros(const Waveform& w) {
    size_t n = 0;
    while (n < w.size() && w[n] == 0) ++n;
    return n;
}

}  // namespace

Decomposition decompose(const std::vector<int16_t>& rec, const std::vector<const Waveform*>& plays) {
    Decomposition out;
    out.onsets.assign(plays.size(), -1);
    std::vector<Voice> voices;
    size_t next = 0;

    // Tries plays next.. as sounds starting so that their first non-zero
    // sample is at `at` (all on the same sample); takes the first count that
    // fits, with `voices` sounding on.
    auto startHere = [&](size_t at) {
        for (size_t count = 1; count <= mostAtOnce && next + count <= plays.size(); ++count) {
            size_t lead = SIZE_MAX;
            for (size_t k = next; k < next + count; ++k) lead = std::min(lead, leadingZeros(*plays[k]));
            if (lead > at) continue;
            std::vector<Voice> trial = voices;
            for (size_t k = next; k < next + count; ++k) trial.push_back({plays[k], lead});
            if (!matches(rec, at, trial)) continue;
            for (size_t k = next; k < next + count; ++k) out.onsets[k] = int64_t(at - lead);
            voices = std::move(trial);
            next += count;
            return true;
        }
        return false;
    };
    auto advance = [&] {
        for (Voice& v : voices) ++v.position;
        std::erase_if(voices, [](const Voice& v) { return v.position >= v.wave->size(); });
    };

    size_t r = 0;
    while (r < rec.size()) {
        const int32_t expected = mixed(voices, 0);
        if (rec[r] == expected) {
            advance();
            ++r;
            continue;
        }
        if (startHere(r)) continue;
        if (rec[r] == 0 && expected != 0) {
            // Starved: the stream resumes where the zeros end, as the model
            // left it (a sound the model is in the middle of never starts with
            // the zeros of the gap), perhaps with new sounds starting there
            // or soon after (the gap need not end on a mixing buffer).
            size_t end = r;
            while (end < rec.size() && rec[end] == 0) ++end;
            // A server that played on through the gap instead (what was due
            // in it lost) resumes with the voices that much further on.
            constexpr size_t enough = 8;
            std::vector<Voice> skipped = voices;
            for (Voice& v : skipped) v.position += end - r;
            std::erase_if(skipped, [](const Voice& v) { return v.position >= v.wave->size(); });
            const bool resumes = end < rec.size() && (agreeing(rec, end, voices) >= std::min(enough, rec.size() - end) ||
                                                      startHere(end));
            const bool skips = !resumes && end < rec.size() &&
                               agreeing(rec, end, skipped) >= std::min(enough, rec.size() - end);
            if (resumes || skips) {
                if (skips) voices = std::move(skipped);
                out.dropouts.push_back({r, end - r});
                r = end;
                continue;
            }
        }
        ++out.unexplained;
        advance();
        ++r;
    }
    return out;
}
