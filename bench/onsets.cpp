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
    int channel;      // the mixer's channel: it adds them in this order
};

// The mixer's sum, `ahead` frames on: channel by channel in channel order,
// each addition clipped (so that a loud moment sums as the mixer sums it).
int32_t mixed(const std::vector<Voice>& voices, size_t ahead) {
    int32_t sum = 0;
    for (const Voice& v : voices)
        if (v.position + ahead < v.wave->size())
            sum = std::clamp<int32_t>(sum + (*v.wave)[v.position + ahead], INT16_MIN, INT16_MAX);
    return sum;
}

// Adds a voice on the lowest free channel, as the mixer chooses one, keeping
// the voices in channel order.
void addVoice(std::vector<Voice>& voices, const Waveform* wave, size_t position) {
    int channel = 0;
    for (const Voice& v : voices) {
        if (v.channel != channel) break;
        ++channel;
    }
    const auto at = std::find_if(voices.begin(), voices.end(), [&](const Voice& v) { return v.channel > channel; });
    voices.insert(at, {wave, position, channel});
}

// How many frames from `at` on (up to the lookahead) the voices explain.
size_t agreeing(const std::vector<int16_t>& rec, size_t at, const std::vector<Voice>& voices) {
    const size_t end = std::min(rec.size(), at + lookahead);
    size_t r = at;
    while (r < end && rec[r] == mixed(voices, r - at)) ++r;
    return r - at;
}

// Whether the voices explain the next `lookahead` frames of theirs from
// `at` on, the stream allowed to starve between them (the recording silent
// where they are not); the gaps themselves are the walk's to find.
bool matches(const std::vector<int16_t>& rec, size_t at, const std::vector<Voice>& voices) {
    size_t r = at, k = 0;
    while (k < lookahead && r < rec.size()) {
        const int32_t expected = mixed(voices, k);
        if (rec[r] == expected) ++k;
        else if (rec[r] != 0) return false;
        ++r;
    }
    return true;
}

size_t leadingZeros(const Waveform& w) {
    size_t n = 0;
    while (n < w.size() && w[n] == 0) ++n;
    return n;
}

}  // namespace

// Moves every voice `frames` on, dropping those that have ended.
void moveOn(std::vector<Voice>& voices, size_t frames) {
    for (Voice& v : voices) v.position += frames;
    std::erase_if(voices, [](const Voice& v) { return v.position >= v.wave->size(); });
}

Decomposition decompose(const std::vector<int16_t>& rec, const std::vector<const Waveform*>& plays) {
    Decomposition out;
    out.onsets.assign(plays.size(), -1);
    std::vector<Voice> voices;
    size_t next = 0;

    // Tries plays next.. as sounds starting so that their first non-zero
    // sample is at `at` (all on the same sample), beside `sounding`; takes
    // the first count that fits and adds them to `sounding`.
    auto startAt = [&](size_t at, std::vector<Voice>& sounding) {
        for (size_t count = 1; count <= mostAtOnce && next + count <= plays.size(); ++count) {
            size_t lead = SIZE_MAX;
            for (size_t k = next; k < next + count; ++k) lead = std::min(lead, leadingZeros(*plays[k]));
            if (lead > at) continue;
            std::vector<Voice> trial = sounding;
            for (size_t k = next; k < next + count; ++k) addVoice(trial, plays[k], lead);
            if (!matches(rec, at, trial)) continue;
            for (size_t k = next; k < next + count; ++k) out.onsets[k] = int64_t(at - lead);
            sounding = std::move(trial);
            next += count;
            return true;
        }
        return false;
    };
    // Whether the stream resumes at `end` with `resumed` sounding: they
    // explain what follows, or do until new sounds start (the gap need not
    // end on a mixing buffer). Sets `from` to where the walk goes on.
    auto resumesWith = [&](std::vector<Voice>& resumed, size_t end, size_t& from) {
        from = end;
        if (matches(rec, end, resumed)) return true;
        const size_t agree = agreeing(rec, end, resumed);
        std::vector<Voice> trial = resumed;
        moveOn(trial, agree);
        if (!startAt(end + agree, trial)) return false;
        resumed = std::move(trial);
        from = end + agree;
        return true;
    };

    size_t r = 0;
    while (r < rec.size()) {
        const int32_t expected = mixed(voices, 0);
        if (rec[r] == expected) {
            moveOn(voices, 1);
            ++r;
            continue;
        }
        if (startAt(r, voices)) continue;
        if (rec[r] == 0 && expected != 0) {
            // Starved: the stream resumes where the zeros end, as the model
            // left it (a sound the model is in the middle of never starts with
            // the zeros of the gap); or, had the server played on through the
            // gap (what was due in it lost), with the voices that much further.
            size_t end = r;
            while (end < rec.size() && rec[end] == 0) ++end;
            size_t from = end;
            std::vector<Voice> resumed = voices;
            bool resumes = end < rec.size() && resumesWith(resumed, end, from);
            if (!resumes && end < rec.size()) {
                resumed = voices;
                moveOn(resumed, end - r);
                resumes = resumesWith(resumed, end, from);
            }
            if (resumes) {
                voices = std::move(resumed);
                out.dropouts.push_back({r, end - r});
                r = from;
                continue;
            }
        }
        ++out.unexplained;
        moveOn(voices, 1);
        ++r;
    }
    return out;
}
