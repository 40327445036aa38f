#pragma once
// Sounds: a WAV file opened once and played as often as wanted; plays overlap.
// A sound whose file could not be opened plays nothing. The program plays
// through SDL2_mixer; tests install an output that records every play.

#include <QString>
#include <memory>

namespace platform {

// What an output keeps of one opened file.
class SoundData {
public:
    virtual ~SoundData() = default;
};

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Opens `path`; nullptr when it cannot be opened as a sound.
    virtual std::shared_ptr<SoundData> open(const QString& path) = 0;
    virtual void play(SoundData& data, const QString& path) = 0;
    // Whether a test or a replay may play from now on. An output that rests
    // while nothing plays starts again when kept running, so that the first
    // sound after it is not held up by the start; it may rest again once
    // released and every sound has died away.
    virtual void keepRunning(bool on) = 0;
};

// The output that sounds are opened on; nullptr restores the SDL2_mixer one.
void setSoundOutput(SoundOutput* output);
SoundOutput& soundOutput();

class Sound {
public:
    // Always gives a sound; one whose file failed to open is silent.
    static std::shared_ptr<Sound> open(const QString& path);

    void Play();
    bool isLoaded() const { return data_ != nullptr; }
    const QString& path() const { return path_; }

private:
    Sound(QString path, SoundOutput* output, std::shared_ptr<SoundData> data);

    QString path_;
    SoundOutput* output_;
    std::shared_ptr<SoundData> data_;
};

using SoundPtr = std::shared_ptr<Sound>;

}  // namespace platform
