#pragma once
// A sound output for tests: opens any file that exists and records every play
// with the tick count at which it was made and whether the output was then
// kept running.

#include "platform/sound.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace platform {

class RecordingSoundOutput final : public SoundOutput {
public:
    struct Play {
        QString name;  // the file's name without its folder, "hi.wav"
        int64_t tick;
        bool kept;  // made while the output was kept running
    };

    // Installs itself as the output for sounds opened from now on.
    RecordingSoundOutput();
    ~RecordingSoundOutput() override;

    std::shared_ptr<SoundData> open(const QString& path) override;
    void play(SoundData& data, const QString& path) override;
    void keepRunning(bool on) override { keptrunning = on; }

    std::vector<Play> plays;
    std::vector<QString> opened;  // every path asked for, in order
    bool keptrunning = false;
};

}  // namespace platform
