#pragma once
// Sound output through SDL2_mixer: a small buffer so that a tap sounds at
// once, and enough channels that clicks and notes overlap freely.

#include "platform/sound.h"

namespace platform {

class SdlSoundOutput final : public SoundOutput {
public:
    // Frames per mixing buffer: 256 frames at 44.1 kHz is under 6 ms.
    static constexpr int bufferFrames = 256;
    static constexpr int frequency = 44100;
    static constexpr int channels = 32;

    static SdlSoundOutput& instance();

    std::shared_ptr<SoundData> open(const QString& path) override;
    void play(SoundData& data, const QString& path) override;

    // Whether the audio device opened; when it did not, every sound is silent.
    bool isOpen();

private:
    SdlSoundOutput() = default;
    ~SdlSoundOutput() override;
    bool ensureOpen();

    bool tried_ = false;
    bool open_ = false;
};

}  // namespace platform
