#include "platform/recordingsoundoutput.h"

#include "platform/ticks.h"

#include <QFileInfo>

namespace platform {

RecordingSoundOutput::RecordingSoundOutput() { setSoundOutput(this); }

RecordingSoundOutput::~RecordingSoundOutput() { setSoundOutput(nullptr); }

std::shared_ptr<SoundData> RecordingSoundOutput::open(const QString& path) {
    opened.push_back(path);
    if (!QFileInfo(path).isFile()) return nullptr;
    return std::make_shared<SoundData>();
}

void RecordingSoundOutput::play(SoundData&, const QString& path) {
    plays.push_back({QFileInfo(path).fileName(), Ticks(), keptrunning});
}

}  // namespace platform
