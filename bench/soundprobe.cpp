#include "soundprobe.h"

#include "platform/sdlsoundoutput.h"

#include <QFileInfo>
#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>

namespace {

int64_t nanoseconds(SteadyTime t) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

}  // namespace

SoundProbe::SoundProbe() : mixes_(capacity) {
    open_ = platform::SdlSoundOutput::instance().isOpen();
    if (open_) Mix_SetPostMix(&SoundProbe::postmix, this);
    platform::setSoundOutput(this);
}

SoundProbe::~SoundProbe() {
    if (open_) Mix_SetPostMix(nullptr, nullptr);
    platform::setSoundOutput(nullptr);
}

std::shared_ptr<platform::SoundData> SoundProbe::open(const QString& path) {
    return platform::SdlSoundOutput::instance().open(path);
}

void SoundProbe::play(platform::SoundData& data, const QString& path) {
    const int tag = tagger ? tagger(path) : -1;
    platform::SdlSoundOutput::instance().play(data, path);
    // Taken after the call: the mixer holds the audio lock while it mixes, so
    // any mix that ends later than this is one that carries the new sample.
    plays.push_back({QFileInfo(path).fileName(), path, std::chrono::steady_clock::now(), tag});
}

void SoundProbe::keepRunning(bool on) { platform::SdlSoundOutput::instance().keepRunning(on); }

void SoundProbe::postmix(void* self, unsigned char*, int length) {
    auto& probe = *static_cast<SoundProbe*>(self);
    const size_t n = probe.mixcount_.load(std::memory_order_relaxed);
    if (n < capacity) {
        probe.mixes_[n] = nanoseconds(std::chrono::steady_clock::now());
        probe.mixcount_.store(n + 1, std::memory_order_release);
    }
    // 16-bit stereo, as the output opens the device.
    probe.frames_.store(length / 4, std::memory_order_relaxed);
}

std::vector<double> SoundProbe::delaysMs(const std::vector<Play>& of) const {
    const size_t n = mixcount_.load(std::memory_order_acquire);
    const auto begin = mixes_.begin();
    const auto end = mixes_.begin() + std::ptrdiff_t(n);
    std::vector<double> delays;
    for (const Play& play : of) {
        const int64_t at = nanoseconds(play.moment);
        const auto next = std::upper_bound(begin, end, at);
        delays.push_back(next == end ? -1.0 : double(*next - at) / 1e6);
    }
    return delays;
}

void SoundProbe::clear() {
    plays.clear();
    // The mix moments stay: a clear between runs would race the audio thread.
}
