#pragma once
// Sound output through SDL2_mixer: a small buffer so that a tap sounds at
// once, and enough channels that clicks and notes overlap freely. The audio
// device is open only while it is wanted (see idlecloser.h): at rest the
// program takes no CPU for sound.

#include "platform/idlecloser.h"
#include "platform/sound.h"

#include <QPointer>

class QTimer;

namespace platform {

class SdlSoundOutput final : public SoundOutput, private SoundDevice {
public:
    // Frames per mixing buffer: 256 frames at 44.1 kHz is under 6 ms.
    static constexpr int bufferFrames = 256;
    static constexpr int frequency = 44100;
    static constexpr int channels = 32;
    // How often an open device that is not kept running looks whether
    // anything still sounds.
    static constexpr int idleCheckMs = 250;

    static SdlSoundOutput& instance();

    std::shared_ptr<SoundData> open(const QString& path) override;
    void play(SoundData& data, const QString& path) override;
    void keepRunning(bool on) override;

    // Opens the audio device if it is closed; whether it is open. When it
    // cannot be opened, every sound is silent.
    bool isOpen();
    // Whether the audio device is open now (it closes when idle).
    bool deviceOpen() const { return closer_.running(); }
    // The mixing buffer of the next opening, for measuring other sizes; the
    // device keeps the format of its first opening.
    void setBufferFrames(int frames) { frames_ = frames; }

private:
    SdlSoundOutput() = default;
    ~SdlSoundOutput() override;

    bool start() override;
    void stop() override;
    bool sounding() override;
    // Looks every idleCheckMs while the device may close.
    void watchIdle();

    IdleCloser closer_{*this};
    bool initialised_ = false;
    bool opened_ = false;  // once: its format is kept from then on
    int frames_ = bufferFrames;
    int frequency_ = frequency;
    unsigned short format_ = 0;
    int outputs_ = 2;
    QPointer<QTimer> idlecheck_;
};

}  // namespace platform
