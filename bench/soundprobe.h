#pragma once
// The program's real sound output (SDL2_mixer), watched: every play call's
// moment and what the caller says it was, and every moment the mixer takes
// a buffer, so the delay from a play call to the mix that carries it can be
// measured. Playing is passed on unchanged.

#include "platform/sound.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <vector>

using SteadyTime = std::chrono::steady_clock::time_point;

class SoundProbe final : public platform::SoundOutput {
public:
    struct Play {
        QString name;      // the file's name without its folder
        QString path;
        SteadyTime moment;  // when the play call returned
        int tag;           // what `tagger` said at the call
    };

    // Installs itself as the output for sounds opened from now on and hooks
    // the mixer's post-mix callback.
    SoundProbe();
    ~SoundProbe() override;

    std::shared_ptr<platform::SoundData> open(const QString& path) override;
    void play(platform::SoundData& data, const QString& path) override;
    void keepRunning(bool on) override;

    // Asked at each play call, with the file's path, for the play's tag.
    std::function<int(const QString& path)> tagger;

    bool isOpen() const { return open_; }
    std::vector<Play> plays;
    // The frames of the last buffer the mixer filled (0 before the first).
    int bufferFrames() const { return frames_.load(); }
    // The delay from each play call to the first mix after it, in ms;
    // negative for a play no mix has followed yet.
    std::vector<double> delaysMs(const std::vector<Play>& of) const;
    void clear();

private:
    static void postmix(void* self, unsigned char* stream, int length);

    bool open_ = false;
    // Written by the audio thread only; read after the runs it measures.
    static constexpr size_t capacity = 1 << 18;  // over 25 minutes of 5.8 ms buffers
    std::vector<int64_t> mixes_;  // steady-clock nanoseconds of each mix
    std::atomic<size_t> mixcount_{0};
    std::atomic<int> frames_{0};
};
